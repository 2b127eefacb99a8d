#!/usr/bin/env bash
# Starts the real program on a virtual screen with an accessibility bus of its own, types a
# fight of three combatants with the keyboard, and has a screen-reader client read it.
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${TREVALO_IN_SESSION:-}" ]; then
    TREVALO_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
pid=""
trap 'kill $pid $bus $virtual_screen 2>/dev/null || true' EXIT

# Qt speaks to the bus only when told a screen reader may be listening.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pid=$!
main=$(wait_for_window '^Main$')
[ -n "$main" ] || { echo "FAIL: no main window"; exit 1; }
xdotool windowfocus --sync "$main"
sleep 0.5
# The combatant grid has the focus at start, on the name: Insert begins a row, Tab goes to the
# initiative and Shift+Tab back, and the next Insert stores the row before it.
for fighter in "Street Samurai:15" "Combat Mage:12" "Troll Bouncer:7"; do
    xdotool key --delay 50 Insert
    xdotool type --delay 20 "${fighter%%:*}"
    xdotool key --delay 50 Tab
    xdotool type --delay 20 "${fighter##*:}"
    xdotool key --delay 50 Return shift+Tab
done

/usr/bin/python3 "$here/ReadByScreenReader.py"

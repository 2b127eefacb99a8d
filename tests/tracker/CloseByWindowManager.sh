#!/usr/bin/env bash
# Drives the real program on a virtual screen under a window manager, as a user would: the help
# window opened from the keyboard alone and closed by its title bar only hides; the main window
# closed by Alt+F4, and in a second run by its title bar, ends the program with 0.
set -euo pipefail
program="$1"

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
trap 'kill $manager $virtual_screen 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Clicks the close button at the right end of the title bar of the window $1.
click_close_button() {
    local frame left top width
    frame=$(xwininfo -id "$1" -tree | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    left=$(xwininfo -id "$frame" | awk '/Absolute upper-left X/ {print $NF}')
    top=$(xwininfo -id "$frame" | awk '/Absolute upper-left Y/ {print $NF}')
    width=$(xwininfo -id "$frame" | awk '/Width/ {print $NF}')
    xdotool mousemove --sync $((left + width - 10)) $((top + 10)) click 1
}

# Waits for the program $1 to end and sets status to its exit code, or "running".
ended() {
    for _ in $(seq 50); do
        if ! kill -0 "$1" 2>/dev/null; then
            status=0
            wait "$1" || status=$?
            return
        fi
        sleep 0.1
    done
    kill "$1"
    status=running
}

"$program" &
pid=$!
main=$(wait_for_window '^Main$')
[ -n "$main" ] || { echo "FAIL: no main window"; exit 1; }
xdotool windowactivate --sync "$main"
# Alt alone enters the menu bar; Right twice reaches "Help".
xdotool key --delay 100 alt Right Right Return
help=$(wait_for_window '^Help$')
if [ -z "$help" ]; then
    fail "Alt, Right, Right, Enter did not open the help window"
else
    click_close_button "$help"
    sleep 0.5
    xdotool search --onlyvisible --name '^Help$' >/dev/null 2>&1 && fail "help still shown"
    kill -0 $pid 2>/dev/null || fail "closing the help window ended the program"
fi
xdotool windowactivate --sync "$main"
xdotool key alt+F4
ended $pid
[ "$status" = 0 ] || fail "Alt+F4: exit code $status, expected 0"

"$program" &
pid=$!
main=$(wait_for_window '^Main$')
click_close_button "$main"
ended $pid
[ "$status" = 0 ] || fail "the title bar's close button: exit code $status, expected 0"

[ $failures -eq 0 ] || exit 1
echo "4 passed, 0 failed"

#!/usr/bin/env bash
# Starts an installed program from the tree it was installed or unpacked into, on a virtual
# screen, without LD_LIBRARY_PATH: it must find its engine in its private folder and show the
# main window with the program's icon. Then, with the engine gone from the tree, it must show
# the error box alone and exit with 1 once the box is answered.
# Usage: StartInstalled.sh <program> <engine library>
set -euo pipefail
program="$1"
engine="$2"

unset LD_LIBRARY_PATH
# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen
trap 'kill $virtual_screen 2>/dev/null' EXIT

fail() { echo "FAIL: $*"; exit 1; }

[ -f "$engine" ] || fail "no engine at $engine"

"$program" &
pid=$!
main=$(wait_for_window '^Main$')
[ -n "$main" ] || { kill $pid; fail "the main window did not appear"; }
icons=$(xprop -id "$main" _NET_WM_ICON)
for size in 16 32 48; do
    grep -q "Icon ($size x $size)" <<<"$icons" || { kill $pid; fail "no $size px window icon"; }
done
kill $pid
wait $pid || true

rm "$engine"
"$program" &
pid=$!
box=$(wait_for_window '^Trevalo$')
[ -n "$box" ] || { kill $pid; fail "no error box appeared without the engine"; }
if xdotool search --onlyvisible --name '^Main$' >/dev/null 2>&1; then
    kill $pid; fail "the main window was shown without the engine"
fi
xdotool windowfocus --sync "$box"
xdotool key --clearmodifiers Return
status=0
wait $pid || status=$?
[ "$status" -eq 1 ] || fail "exit code $status without the engine, expected 1"
echo "2 passed, 0 failed"

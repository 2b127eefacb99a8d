#!/usr/bin/env bash
# Starts an installed program from the tree it was installed or unpacked into, on a virtual
# screen, without LD_LIBRARY_PATH: it must find its engine in its private folder and show the
# main window with the program's icon. Then, with the engine gone from the tree, it must show
# the error box alone and exit with 1 once the box is answered.
# Usage: StartInstalled.sh <program> <engine library>
set -euo pipefail
program="$1"
engine="$2"

# A virtual screen of its own: Xvfb picks a free display and names it once it is ready.
unset QT_QPA_PLATFORM LD_LIBRARY_PATH
screen=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$screen/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$screen"' EXIT
for _ in $(seq 100); do
    [ -s "$screen/display" ] && break
    sleep 0.1
done
[ -s "$screen/display" ] || { echo "FAIL: no virtual screen"; exit 1; }
export DISPLAY=":$(cat "$screen/display")"

fail() { echo "FAIL: $*"; exit 1; }

# The first visible window named $1, waited for up to thirty seconds: a loaded machine may
# take long to start a program.
window() {
    local found=""
    for _ in $(seq 300); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

[ -f "$engine" ] || fail "no engine at $engine"

"$program" &
pid=$!
main=$(window '^Main$')
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
box=$(window '^Trevalo$')
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

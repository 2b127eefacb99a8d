#!/usr/bin/env bash
# Drives the real program on a virtual screen by the keyboard alone, first without a window
# manager, then under one: after each box closes ("Delete record?", the confirmation box, the
# error box) and after the help window's Close, the next key acts where it did before, without a
# click first. Each step opens a window by keys, closes it by keys, and the next step's keys
# show whether the keyboard came back; the last step's Delete only the combatant grid answers.
set -euo pipefail
program="$1"

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen
manager=""
pid=""
trap 'kill $pid $manager $virtual_screen 2>/dev/null || true' EXIT
failures=0
checks=0
fail() {
    echo "FAIL ($setting): $*"
    failures=$((failures + 1))
}

# Whether a window named $1 is shown within five seconds.
appears() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# Whether no window named $1 is shown within five seconds.
goes() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

closed="the start"

# Presses the keys named in $1, separated by blanks.
keys() {
    local -a names
    read -ra names <<<"$1"
    xdotool key --delay 100 "${names[@]}"
}

# The keys $2 open the window named $1, the keys $3 close it; then the keys $4, if any.
step() {
    checks=$((checks + 1))
    keys "$2"
    if ! appears "$1"; then
        fail "after $closed the keys were ignored"
        recover
        keys "$2"
        appears "$1" || { fail "$2 did not open \"$1\""; return; }
    fi
    sleep 0.3
    keys "$3"
    goes "$1" || fail "$3 did not close \"$1\""
    [ -z "${4:-}" ] || keys "$4"
    closed="\"$1\" closed"
}

# Gives the combatant grid the keyboard by hand, with a click below its rows, so that the next
# check stands alone.
recover() {
    local left top
    left=$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print $NF}')
    top=$(xwininfo -id "$main" | awk '/Absolute upper-left Y/ {print $NF}')
    xdotool mousemove --sync $((left + 300)) $((top + 450)) click 1 mousemove 1275 1019
    sleep 0.3
}

scenario() {
    "$program" &
    pid=$!
    main=$(wait_for_window '^Main$')
    [ -n "$main" ] || { fail "no main window"; return; }
    if [ -n "$manager" ]; then
        xdotool windowactivate --sync "$main"
    else
        xdotool windowfocus --sync "$main"
    fi
    # Without a window manager the keys go to the window under the pointer when no window has
    # the keyboard: away from every window they show whether the program gave it back.
    xdotool mousemove 1275 1019
    sleep 0.5
    # Three combatants, typed into the combatant grid, which has the keyboard at start.
    for fighter in Ann:30 Bob:20 Cid:10; do
        xdotool key --delay 50 Insert
        xdotool type --delay 20 "${fighter%%:*}"
        xdotool key --delay 50 Tab
        xdotool type --delay 20 "${fighter##*:}"
        xdotool key --delay 50 Return shift+Tab
    done
    xdotool key --delay 50 Up
    # An effect that ends on turn 2, typed into the effect grid (F6 twice), then back (F6).
    xdotool key --delay 50 F6 F6 Insert
    xdotool type --delay 20 Haste
    xdotool key --delay 50 Tab 2 Return Up F6
    step '^Confirm$' Delete Escape
    # New Turn from the menu bar (Alt alone, then Enter) offers to delete the effect.
    step '^Warning$' "alt Return" Escape
    # The editor keeps the text it could not write: Esc drops it, and Esc again the new row.
    step '^Trevalo$' "Insert Tab x Return" Return "Escape Escape"
    step '^Help$' F1 "alt Return"
    step '^Confirm$' Delete Escape
    kill $pid
    wait $pid 2>/dev/null || true
    pid=""
    closed="the start"
}

setting="no window manager"
scenario
setting="window manager"
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
scenario

[ $failures -eq 0 ] || exit 1
echo "$checks passed, 0 failed"

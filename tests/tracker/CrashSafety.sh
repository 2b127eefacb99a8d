#!/usr/bin/env bash
# The real program on a virtual screen, driven through a scripted fight (New Init Pass and New
# Turn, each a change that is written) and killed with SIGKILL at random moments, in start-up,
# between actions and during the writes of a large fight. After each kill the fight file reads
# and holds one of the states the same script gives without a kill, nothing but its lock is
# left beside it, and the next start takes that lock over. Without a file the same holds for
# the recovery file, which the next start offers: Yes restores it, No deletes it. A second
# program on a file is refused; Ctrl+Q and SIGTERM leave no recovery file; two programs at once
# keep one each.
set -euo pipefail
program="$1"
check="$2"
folder=$(mktemp -d)
trap 'kill ${pid:-} ${virtual_screen:-} 2>/dev/null || true; rm -rf "$folder"' EXIT
export XDG_STATE_HOME="$folder/state"
mkdir -m 700 "$folder/runtime"
export XDG_RUNTIME_DIR="$folder/runtime"
state="$XDG_STATE_HOME/trevalo"
kills=0
offered=0
# On stderr: the reference run's output is its list of states.
fail() { echo "FAIL: $*" >&2; exit 1; }

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen

# The script: each key a change of the fight that is written once.
keys=(ctrl+p ctrl+p ctrl+t ctrl+p ctrl+t ctrl+t ctrl+p ctrl+t)

# A fight of $1 combatants and an effect that never ends in the script.
make_fight() {
    {
        printf '{"format": "trevalo-fight", "version": 1, "turn": 1, "pass": 1,'
        printf ' "showAllEntries": false, "showingAll": false, "keepInitPerTurn": false,'
        printf ' "usePasses": true, "effects": [{"name": "Smoke", "endOnTurn": 99}],'
        printf ' "combatants": ['
        for i in $(seq "$1"); do
            [ "$i" -gt 1 ] && printf ','
            printf '{"name": "Fighter %d", "init": %d, "passes": %d, "active": true}' \
                "$i" $((i % 30)) $((i % 3 + 1))
        done
        printf ']}'
    } >"$2"
}

digest() { md5sum <"$1" | cut -d' ' -f1; }

# Waits up to a minute for file $1 to differ from digest $2: a New Turn over the large fight
# takes seconds in a build with sanitizers.
wait_for_change() {
    for _ in $(seq 600); do
        [ -f "$1" ] && [ "$(digest "$1")" != "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

# The one recovery file in the state folder, or nothing.
recovery_file() { find "$state" -maxdepth 1 -name 'fight-*.trevalo' 2>/dev/null | head -2; }

# Runs the script on the file $1 (or without a file when empty) to its end and prints the
# digest of each state the file goes through, the first one included.
reference_states() {
    local file="$1" window previous current
    if [ -n "$file" ]; then
        "$program" "$file" &
    else
        "$program" &
    fi
    pid=$!
    window=$(wait_for_window ' - Trevalo$|^Main$')
    [ -n "$window" ] || fail "no window for the reference run"
    xdotool windowfocus --sync "$window"
    previous=none
    [ -n "$file" ] && previous=$(digest "$file") && echo "$previous"
    for key in "${keys[@]}"; do
        xdotool key --clearmodifiers "$key"
        current=${file:-$(recovery_file)}
        if [ -z "$current" ]; then
            sleep 0.5
            current=$(recovery_file)
        fi
        wait_for_change "$current" "$previous" || fail "$key did not change the fight"
        # The write is whole once renamed into place.
        previous=$(digest "$current")
        echo "$previous"
    done
    xdotool key --clearmodifiers ctrl+q
    wait $pid || fail "the reference run ended with $?"
}

# Starts the program on $@, waits a random moment, in start-up now and then, and otherwise
# once the window shows while the script's keys go, and kills it with SIGKILL.
run_and_kill() {
    "$program" "$@" &
    pid=$!
    local typist=""
    if [ $((RANDOM % 5)) -eq 0 ]; then
        sleep "0.$((RANDOM % 300))"
    else
        local window
        window=$(wait_for_window ' - Trevalo$|^Main$')
        [ -n "$window" ] || fail "no window after kill $kills"
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool key --clearmodifiers --delay $((RANDOM % 60 + 5)) "${keys[@]}" 2>/dev/null &
        typist=$!
        sleep "0.$((RANDOM % 500 + 20))"
    fi
    kill -KILL $pid
    wait $pid 2>/dev/null || true
    [ -z "$typist" ] || wait $typist 2>/dev/null || true
    kills=$((kills + 1))
}

# The file $1 reads and holds one of the states listed in $2.
holds_a_state() {
    "$check" "$1" >/dev/null || fail "kill $kills left a file that does not read"
    grep -qx "$(digest "$1")" "$2" || fail "kill $kills left a state the script never makes"
}

# A fight file, small and large.
for size in 3 3000; do
    make_fight $size "$folder/start.trevalo"
    cp "$folder/start.trevalo" "$folder/fight.trevalo"
    reference_states "$folder/fight.trevalo" >"$folder/states"
    runs=$([ $size -eq 3 ] && echo 100 || echo 50)
    for _ in $(seq $runs); do
        cp "$folder/start.trevalo" "$folder/fight.trevalo"
        run_and_kill "$folder/fight.trevalo"
        holds_a_state "$folder/fight.trevalo" "$folder/states"
        # A lock's .rmlock guards the taking over of a dead holder's lock: a lock itself.
        left=$(ls -A "$folder" | grep -v -x -e start.trevalo -e states -e state -e runtime \
            -e fight.trevalo -e fight.trevalo.lock -e fight.trevalo.lock.rmlock || true)
        [ -z "$left" ] || fail "kill $kills left $left"
    done
    # The last kill's lock is taken over by the next start.
    "$program" "$folder/fight.trevalo" &
    pid=$!
    [ -n "$(wait_for_window '^fight.trevalo - Trevalo$')" ] || fail "a dead holder's lock refused"
    # A second program on the same file is refused before any window.
    "$program" "$folder/fight.trevalo" &
    second=$!
    answer_error_box $second '^Main$'
    [ "$box_status" -eq 1 ] || fail "a second program ended with $box_status, not 1"
    [ "$(xdotool search --onlyvisible --name '^fight.trevalo - Trevalo$' | wc -l)" -eq 1 ] ||
        fail "a second window opened on the file"
    kill -TERM $pid
    wait $pid || fail "SIGTERM ended the program with $?"
    [ ! -e "$folder/fight.trevalo.lock" ] || fail "SIGTERM left the lock"
done
echo "fight files: $kills kills"

# Without a file: the recovery file, and its question at the next start.
rm -rf "$state"
reference_states "" >"$folder/states"
[ -z "$(ls -A "$state")" ] || fail "Ctrl+Q left $(ls -A "$state")"
for run in $(seq 60); do
    run_and_kill
    recovered=$(recovery_file)
    [ "$(echo "$recovered" | grep -c .)" -le 1 ] || fail "kill $kills left two recovery files"
    left=$(ls -A "$state" 2>/dev/null | grep -v -e '^fight-[0-9]*-[0-9]*\.trevalo$' \
        -e '^fight-[0-9]*-[0-9]*\.trevalo\.lock\(\.rmlock\)\?$' || true)
    [ -z "$left" ] || fail "kill $kills left $left"
    "$program" &
    pid=$!
    if [ -n "$recovered" ]; then
        offered=$((offered + 1))
        holds_a_state "$recovered" "$folder/states"
        kept=$(digest "$recovered")
        box=$(wait_for_window '^Trevalo$')
        [ -n "$box" ] || fail "kill $kills: the fight was not offered"
        if xdotool search --onlyvisible --name '^Main$' >/dev/null 2>&1; then
            fail "the main window showed before the answer"
        fi
        xdotool windowfocus --sync "$box"
        answer=$([ $((run % 2)) -eq 0 ] && echo Return || echo Escape)
        xdotool key --clearmodifiers $answer
        main=$(wait_for_window '^Main$')
        [ -n "$main" ] || fail "no main window after the answer"
        [ ! -e "$recovered" ] || fail "the answered file stayed"
        now=$(recovery_file)
        if [ $answer = Return ]; then
            [ -n "$now" ] && [ "$(digest "$now")" = "$kept" ] ||
                fail "Yes did not keep the same fight"
        else
            [ -z "$now" ] || fail "No kept the fight"
        fi
    else
        main=$(wait_for_window '^Main$')
        [ -n "$main" ] || fail "no main window"
        if xdotool search --onlyvisible --name '^Trevalo$' >/dev/null 2>&1; then
            fail "a question came without a crashed fight"
        fi
    fi
    if [ $((run % 3)) -eq 0 ]; then
        kill -TERM $pid
    else
        xdotool windowfocus --sync "$main"
        xdotool key --clearmodifiers ctrl+q
    fi
    wait $pid || fail "the program ended with $?"
    [ -z "$(ls -A "$state" 2>/dev/null)" ] || fail "a clean end left $(ls -A "$state")"
done
# Most kills come after a change: a loop that never offered a fight would prove nothing.
[ "$offered" -ge 20 ] || fail "only $offered of 60 kills left a fight to offer"
echo "recovery: $kills kills in all, $offered fights offered"

# Two programs at once keep a recovery file each, and neither offers the other's.
for n in 1 2; do
    "$program" &
    pids[n]=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --all --onlyvisible --pid "${pids[n]}" --name '^Main$' \
            2>/dev/null | head -1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "program $n showed no window"
    [ -z "$(xdotool search --onlyvisible --name '^Trevalo$' 2>/dev/null)" ] ||
        fail "program $n was offered the other's fight"
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers ctrl+t
    for _ in $(seq 50); do
        [ "$(recovery_file | grep -c .)" -eq "$n" ] && break
        sleep 0.1
    done
    [ "$(recovery_file | grep -c .)" -eq "$n" ] || fail "program $n keeps no file of its own"
done
kill -TERM "${pids[1]}" "${pids[2]}"
wait "${pids[1]}" "${pids[2]}" || fail "SIGTERM ended a program with $?"
[ -z "$(ls -A "$state")" ] || fail "SIGTERM left $(ls -A "$state")"
echo "$kills kills, 0 failed"

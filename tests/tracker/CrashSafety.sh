#!/usr/bin/env bash
# The real program on a virtual screen, driven key by key through a scripted fight (New Init
# Pass and New Turn, each a change that is written once) and killed with SIGKILL: now and then
# in start-up, otherwise after a random number m of finished actions (the file shows the state
# after each before the next key goes) and a random moment after the key of the next: at once,
# well after its write, anywhere in between, or, most often, during its write. A reference run
# without a kill gives the states S_0 (the start) to S_n. After each kill the fight file reads
# and is exactly S_m or S_(m+1) (S_0 after a kill in start-up), nothing but its lock is left
# beside it, and the next start takes that lock over; both outcomes must have come, or the
# kills never met an action. Without a file the same holds for the recovery file, which appears
# with the first change (S_0 is no file), and which the next start offers: Yes restores it, No
# deletes it, and a lock left without its file goes too. A second program on a file is
# refused; Ctrl+Q and SIGTERM leave nothing; two programs at once keep a recovery file each.
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

# The recovery file in the state folder, or nothing.
recovery_file() { find "$state" -maxdepth 1 -name 'fight-*.trevalo' 2>/dev/null | head -2; }

# The names in folder $1, none when it is missing.
names_in() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' 2>/dev/null || true; }

# Where a run keeps its fight: the file $1, or without one the recovery file.
kept_file() { if [ -n "$1" ]; then echo "$1"; else recovery_file; fi; }

# The digest of the fight kept by the run on $1, "none" while there is no file.
kept_state() {
    local file
    file=$(kept_file "$1")
    if [ -n "$file" ] && [ -f "$file" ]; then
        md5sum <"$file" | cut -d' ' -f1
    else
        echo none
    fi
}

microseconds() { echo "${EPOCHREALTIME//[.,]/}"; }

pause() {
    local seconds
    printf -v seconds '%d.%06d' $(($1 / 1000000)) $(($1 % 1000000))
    sleep "$seconds"
}

# Waits up to a minute, as a New Turn over a large fight takes seconds in a build with
# sanitizers, for the fight kept by the run on $1 to differ from state $2, and prints the new
# state.
next_state() {
    local deadline=$((SECONDS + 60)) current
    while [ $SECONDS -lt $deadline ]; do
        current=$(kept_state "$1")
        [ "$current" = "$2" ] || { echo "$current"; return 0; }
        sleep 0.02
    done
    return 1
}

# Runs the script on the file $1 (or without a file when empty) to its end and prints each
# state the fight goes through, from the first, with the microseconds its key took to show.
reference_states() {
    local file="$1" window previous sent
    if [ -n "$file" ]; then
        "$program" "$file" &
    else
        "$program" &
    fi
    pid=$!
    window=$(wait_for_window ' - Trevalo$|^Main$')
    [ -n "$window" ] || fail "no window for the reference run"
    xdotool windowfocus --sync "$window"
    previous=$(kept_state "$file")
    echo "$previous 0"
    for key in "${keys[@]}"; do
        sent=$(microseconds)
        xdotool key --clearmodifiers "$key"
        previous=$(next_state "$file" "$previous") || fail "$key did not change the fight"
        echo "$previous $(($(microseconds) - sent))"
    done
    xdotool key --clearmodifiers ctrl+q
    wait $pid || fail "the reference run ended with $?"
}

# Reads the reference run's list into states and took_by.
load_states() {
    states=()
    took_by=()
    local digest took
    while read -r digest took; do
        states+=("$digest")
        took_by+=("$took")
    done <"$1"
    [ ${#states[@]} -eq $((${#keys[@]} + 1)) ] || fail "the reference run made ${#states[@]} states"
}

# S_i and the actions it follows, or what the state $1 is when the script never makes it.
state_name() {
    local i
    for i in "${!states[@]}"; do
        [ "$1" != "${states[i]}" ] || { echo "S_$i (after $i actions)"; return; }
    done
    if [ "$1" = none ]; then echo "no file"; else echo "a state the script never makes ($1)"; fi
}

# Waits until the program holds more files than the $1 it held before the key, as it does while
# it writes the fight, or for $2 microseconds at most. Forks nothing: a write to a fast disk
# takes a few milliseconds.
await_opened_file() {
    local deadline=$((${EPOCHREALTIME//[.,]/} + $2)) held
    while [ "${EPOCHREALTIME//[.,]/}" -lt $deadline ]; do
        held=(/proc/"$pid"/fd/*)
        [ ${#held[@]} -le "$1" ] || return 0
    done
}

# Whether the program holds a file in the folder of the fight kept by the run on $1, other than
# its lock: the fight on its way to the disk.
writing() {
    local where=$state
    [ -z "$1" ] || where=$(dirname "$1")
    find "/proc/$pid/fd" -lname "$where/*" ! -lname '*.lock' ! -lname '*.rmlock' 2>/dev/null |
        grep -q .
}

# The largest number of actions whose run, with the key after them, fits in the $1
# microseconds left, going by the reference run: all of them while actions are quick.
largest_m() {
    local m=0 cost=${took_by[1]}
    while [ $((m + 1)) -lt ${#keys[@]} ] && [ $((cost + took_by[m + 2])) -le "$1" ]; do
        m=$((m + 1))
        cost=$((cost + took_by[m + 1]))
    done
    echo $m
}

# Starts the program on the file $1 (or without a file when empty) and kills it with SIGKILL,
# in start-up now and then (m is then empty), otherwise after m finished actions (the file
# shows the state after each before the next key goes; m is at most $2, or all but the last)
# and a moment after the key of the next: at once, while the key is on its way; well after the
# reference run saw the change; anywhere in that span; or, most often, once the program opens
# a file, as it writes.
run_and_kill() {
    local file="$1" window found i typist="" held took
    if [ -n "$file" ]; then
        "$program" "$file" &
    else
        "$program" &
    fi
    pid=$!
    kills=$((kills + 1))
    m=""
    if [ $((RANDOM % 5)) -eq 0 ]; then
        pause $((RANDOM * 10))
    else
        window=$(wait_for_window ' - Trevalo$|^Main$')
        [ -n "$window" ] || fail "no window before kill $kills"
        xdotool windowfocus --sync "$window"
        m=$((RANDOM % (${2:-$((${#keys[@]} - 1))} + 1)))
        for ((i = 1; i <= m; i++)); do
            xdotool key --clearmodifiers "${keys[i - 1]}"
            found=$(next_state "$file" "${states[i - 1]}") ||
                fail "kill $kills, m = $m: action $i did not change the fight within a minute"
            [ "$found" = "${states[i]}" ] ||
                fail "kill $kills, m = $m: action $i left $(state_name "$found"), not S_$i"
        done
        took=${took_by[m + 1]}
        held=(/proc/"$pid"/fd/*)
        xdotool key --clearmodifiers "${keys[m]}" 2>/dev/null &
        typist=$!
        case $((RANDOM % 5)) in
        0) ;;
        1) pause $((took * 3 / 2 + 500000)) ;;
        2) pause $((took * RANDOM / 32767)) ;;
        *) await_opened_file ${#held[@]} $((took * 3 / 2 + 500000)) ;;
        esac
    fi
    # Stopped first, so that what it was doing can be told; SIGKILL ends it where it stopped.
    kill -STOP $pid
    if writing "$file"; then
        writes=$((writes + 1))
    fi
    kill -KILL $pid
    wait $pid 2>/dev/null || true
    [ -z "$typist" ] || wait "$typist" 2>/dev/null || true
}

# The fight kept by the run on $1 reads and is S_m or S_(m+1), as before or after the last key;
# a kill in start-up leaves S_0. Counts which of the two came.
holds_a_finished_state() {
    local file found
    file=$(kept_file "$1")
    if [ -n "$file" ] && [ -f "$file" ]; then
        "$check" "$file" >/dev/null 2>"$folder/error" ||
            fail "kill $kills, m = ${m:-none}: the file does not read: $(cat "$folder/error")"
    fi
    found=$(kept_state "$1")
    if [ -z "$m" ]; then
        [ "$found" = "${states[0]}" ] ||
            fail "kill $kills in start-up left $(state_name "$found"), not S_0"
    elif [ "$found" = "${states[m]}" ]; then
        before=$((before + 1))
    elif [ "$found" = "${states[m + 1]}" ]; then
        after=$((after + 1))
    else
        fail "kill $kills, m = $m: found $(state_name "$found"), not S_$m or S_$((m + 1))"
    fi
}

# Marks the start of a part of the test, for tell.
mark() { marked=("$kills" "$before" "$after" "$writes" "$SECONDS"); }

# Tells what the kills since the mark found, in the part named $1.
tell() {
    echo "$1: $((kills - marked[0])) kills in $((SECONDS - marked[4])) s;" \
        "$((before - marked[1])) found the fight as before the last key," \
        "$((after - marked[2])) as after it; $((writes - marked[3])) came during a write"
}

# Both outcomes came in the kills of $1, or they never met an action.
met_both() {
    if [ "$before" -lt 3 ] || [ "$after" -lt 3 ]; then
        fail "$1: $before kills found the fight as before the last key, $after as after it"
    fi
}

# A fight file, small and large. An action over the large fight takes tens of seconds in a
# build with sanitizers: its kills share two minutes, each run letting as many actions finish
# as the time left allows, which in a plain build is all of them.
before=0
after=0
writes=0
for size in 3 3000; do
    make_fight $size "$folder/start.trevalo"
    cp "$folder/start.trevalo" "$folder/fight.trevalo"
    reference_states "$folder/fight.trevalo" >"$folder/states"
    load_states "$folder/states"
    [ "${states[0]}" = "$(md5sum <"$folder/start.trevalo" | cut -d' ' -f1)" ] ||
        fail "opening the fight changed its file"
    mark
    runs=$([ $size -eq 3 ] && echo 140 || echo 50)
    for run in $(seq "$runs"); do
        largest=$((${#keys[@]} - 1))
        if [ $size -gt 3 ]; then
            time_left=$(((120 - SECONDS + marked[4]) * 1000000))
            [ "$time_left" -ge "${took_by[1]}" ] || [ "$run" -le 3 ] || break
            largest=$(largest_m "$time_left")
        fi
        cp "$folder/start.trevalo" "$folder/fight.trevalo"
        run_and_kill "$folder/fight.trevalo" "$largest"
        holds_a_finished_state "$folder/fight.trevalo"
        # A lock's .rmlock guards the taking over of a dead holder's lock: a lock itself.
        left=$(names_in "$folder" | grep -v -x -e start.trevalo -e states -e state -e runtime \
            -e error -e fight.trevalo -e fight.trevalo.lock -e fight.trevalo.lock.rmlock || true)
        [ -z "$left" ] || fail "kill $kills left $left"
    done
    tell "a fight of $size"
    # The last kill's lock is taken over by the next start.
    "$program" "$folder/fight.trevalo" &
    pid=$!
    [ -n "$(wait_for_window '^fight.trevalo - Trevalo$')" ] ||
        fail "a dead holder's lock refused; beside the fight: $(names_in "$folder" | tr '\n' ' ')" \
            "the lock: $(tr '\n' ' ' <"$folder/fight.trevalo.lock" 2>/dev/null | head -c 60)" \
            "windows: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null |
                tr '\n' ',')"
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
met_both "fight files"

# Without a file: the recovery file, and its question at the next start.
rm -rf "$state"
reference_states "" >"$folder/states"
load_states "$folder/states"
[ -z "$(ls -A "$state")" ] || fail "Ctrl+Q left $(ls -A "$state")"
before=0
after=0
writes=0
mark
for run in $(seq 60); do
    run_and_kill ""
    recovered=$(recovery_file)
    [ "$(echo "$recovered" | grep -c .)" -le 1 ] || fail "kill $kills left two recovery files"
    holds_a_finished_state ""
    kept=$(kept_state "")
    left=$(names_in "$state" | grep -v -e '^fight-[0-9]*-[0-9]*\.trevalo$' \
        -e '^fight-[0-9]*-[0-9]*\.trevalo\.lock\(\.rmlock\)\?$' || true)
    [ -z "$left" ] || fail "kill $kills left $left"
    "$program" &
    pid=$!
    if [ -n "$recovered" ]; then
        offered=$((offered + 1))
        box=$(wait_for_window '^Trevalo$')
        [ -n "$box" ] || fail "kill $kills: the fight was not offered"
        if xdotool search --onlyvisible --name '^Main$' >/dev/null 2>&1; then
            fail "the main window showed before the answer"
        fi
        xdotool windowfocus --sync "$box"
        answer=$([ $((run % 2)) -eq 0 ] && echo Return || echo Escape)
        xdotool key --clearmodifiers "$answer"
        main=$(wait_for_window '^Main$')
        [ -n "$main" ] || fail "no main window after the answer"
        [ ! -e "$recovered" ] || fail "the answered file stayed"
        now=$(recovery_file)
        if [ "$answer" = Return ]; then
            if [ -z "$now" ] || [ "$(kept_state "")" != "$kept" ]; then
                fail "Yes did not keep the same fight"
            fi
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
tell "recovery"
met_both "recovery"
# Most kills come after a change: a loop that never offered a fight would prove nothing.
[ "$offered" -ge 20 ] || fail "only $offered of 60 kills left a fight to offer"
echo "$kills kills in all, $offered fights offered"
[ "$kills" -ge 200 ] || fail "only $kills kills"

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

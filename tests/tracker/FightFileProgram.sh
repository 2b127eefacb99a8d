#!/usr/bin/env bash
# The real program with a fight file on its command line: --help, --version and a mistake end
# it with their exit codes and no window; on a virtual screen, a bad file shows the error box
# alone and ends it with exit code 1, and a good file opens under its name and is left as it
# was when nothing changed.
set -euo pipefail
program="$1"
folder=$(mktemp -d)
trap 'rm -rf "$folder"; kill ${virtual_screen:-} 2>/dev/null || true' EXIT
passed=0
fail() { echo "FAIL: $*"; exit 1; }

# Answers the exit code of the program run with the arguments given, headless; a window would
# keep it running past the timeout.
mkdir -m 700 "$folder/runtime"
headless() {
    local status=0
    XDG_RUNTIME_DIR="$folder/runtime" QT_QPA_PLATFORM=offscreen timeout 60 "$program" "$@" \
        >"$folder/out" 2>"$folder/err" || status=$?
    echo "$status"
}

[ "$(headless --help)" -eq 0 ] || fail "--help did not end with 0"
grep -q '^Usage: .*trevalo \[options\] \[file\]$' "$folder/out" || fail "--help shows no usage"
grep -q '^  Ctrl+T  *New Turn$' "$folder/out" || fail "--help shows no keys"
# Every row of the README's keyboard table, by its keys.
sed -n '/^| key | command |$/,/^$/p' "$(dirname "$0")/../../README.md" | tail -n +3 |
    cut -d'|' -f2 | sed 's/^ *//; s/ *$//' | while read -r keys; do
    [ -z "$keys" ] || grep -qF "  $keys " "$folder/out" || fail "--help lacks the keys $keys"
done
[ ! -s "$folder/err" ] || fail "--help wrote to standard error"
passed=$((passed + 1))

[ "$(headless --version)" -eq 0 ] || fail "--version did not end with 0"
grep -qx 'Trevalo [0-9]*\.[0-9]*\.[0-9]*' "$folder/out" || fail "--version: $(cat "$folder/out")"
passed=$((passed + 1))

[ "$(headless --bogus)" -eq 2 ] || fail "an unknown option did not end with 2"
grep -q "^Unknown option 'bogus'.$" "$folder/err" || fail "no word of the unknown option"
grep -q '^Usage: ' "$folder/err" || fail "no usage on standard error"
[ ! -s "$folder/out" ] || fail "a mistake wrote to standard output"
passed=$((passed + 1))

[ "$(headless "$folder/one.trevalo" "$folder/two.trevalo")" -eq 2 ] || fail "two files did not end with 2"
grep -q '^Only one fight file can be opened.$' "$folder/err" || fail "no word of two files"
[ ! -e "$folder/one.trevalo" ] && [ ! -e "$folder/two.trevalo" ] || fail "a file was made"
passed=$((passed + 1))

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen

printf '{"format": "trevalo-fight", "version": 1, "turn": 0}' >"$folder/bad.trevalo"
cp "$folder/bad.trevalo" "$folder/bad.copy"
"$program" "$folder/bad.trevalo" &
answer_error_box $! '^Main$|trevalo - Trevalo$'
[ "$box_status" -eq 1 ] || fail "a bad file ended with $box_status, not 1"
cmp -s "$folder/bad.trevalo" "$folder/bad.copy" || fail "the bad file was changed"
[ "$(ls "$folder" | grep -c trevalo)" -eq 1 ] || fail "a file was left beside the bad one"
passed=$((passed + 1))

"$program" "$folder/good.trevalo" &
pid=$!
window=$(wait_for_window '^good.trevalo - Trevalo$')
[ -n "$window" ] || { kill $pid; fail "no window titled with the file's name"; }
cp "$folder/good.trevalo" "$folder/good.copy"
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers ctrl+q
status=0
wait $pid || status=$?
[ "$status" -eq 0 ] || fail "closing ended with $status"
cmp -s "$folder/good.trevalo" "$folder/good.copy" || fail "the file changed with the fight"
passed=$((passed + 1))

echo "$passed passed, 0 failed"

#!/usr/bin/env bash
# Starts the real program from a folder without the record engine beside it, on a virtual
# screen, and checks what the user would see: the error box alone, and exit code 1 once it is
# answered.
set -euo pipefail
program="$1"

# shellcheck source=../VirtualScreen.sh
source "$(dirname "$0")/../VirtualScreen.sh"
start_virtual_screen

folder=$(mktemp -d)
trap 'rm -rf "$folder"; kill $virtual_screen 2>/dev/null || true' EXIT
cp "$program" "$folder/"

run() {
    "$folder/$(basename "$program")" &
    local pid=$!
    local box
    box=$(wait_for_window '^Trevalo$')
    [ -n "$box" ] || { echo "FAIL: no error box appeared"; kill $pid; exit 1; }
    if xdotool search --onlyvisible --name '^Main$' >/dev/null 2>&1; then
        echo "FAIL: the main window was shown"; kill $pid; exit 1
    fi
    xdotool windowfocus --sync "$box"
    xdotool key --clearmodifiers Return
    local status=0
    wait $pid || status=$?
    [ "$status" -eq 1 ] || { echo "FAIL: exit code $status, expected 1"; exit 1; }
    echo "1 passed, 0 failed"
}

run

#!/usr/bin/env bash
# Starts the real program from a folder without the record engine beside it, on a virtual
# screen, and checks what the user would see: the error box alone, and exit code 1 once it is
# answered.
set -euo pipefail
program="$1"

# shellcheck source=../support/VirtualScreen.sh
source "$(dirname "$0")/../support/VirtualScreen.sh"
start_virtual_screen

folder=$(mktemp -d)
trap 'rm -rf "$folder"; kill $virtual_screen 2>/dev/null || true' EXIT
cp "$program" "$folder/"

run() {
    "$folder/$(basename "$program")" &
    answer_error_box $! '^Main$'
    [ "$box_status" -eq 1 ] || { echo "FAIL: exit code $box_status, expected 1"; exit 1; }
    echo "1 passed, 0 failed"
}

run

# Sourced by the tests that drive the real program: a virtual screen on a display the server
# picks itself, so that runs side by side never share one, and the windows shown on it.

# Starts the screen and waits until it answers; sets DISPLAY, and the server's process id in
# virtual_screen. The server must not reset when the probe, its last client, leaves: while it
# resets it refuses connections, and the program started next would find no display.
start_virtual_screen() {
    unset QT_QPA_PLATFORM
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$displayfile" >/dev/null 2>&1 &
    virtual_screen=$!
    for _ in $(seq 100); do
        [ -s "$displayfile" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$displayfile")"
    rm -f "$displayfile"
    for _ in $(seq 100); do
        xprop -root >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "FAIL: the virtual screen did not start"
    exit 1
}

# The first shown window whose name matches $1, waited for up to thirty seconds, as a loaded
# machine may take that long to start a program; nothing when none came.
wait_for_window() {
    local found=""
    for _ in $(seq 300); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

# Waits for the error box, checks that no window whose name matches $2 shows beside it, answers
# it with Enter and sets box_status to the exit code of process $1; fails when no box comes.
answer_error_box() {
    local box
    box=$(wait_for_window '^Trevalo$')
    [ -n "$box" ] || { kill "$1"; echo "FAIL: no error box appeared"; exit 1; }
    if xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; then
        kill "$1"; echo "FAIL: a window was shown beside the error box"; exit 1
    fi
    xdotool windowfocus --sync "$box"
    xdotool key --clearmodifiers Return
    box_status=0
    wait "$1" || box_status=$?
}

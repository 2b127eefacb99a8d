# Sourced by the tests that drive the real program: starts a virtual screen on a display the
# server picks itself, so that runs side by side never share one, and waits until it answers.
# Sets DISPLAY and the server's process id in virtual_screen.
start_virtual_screen() {
    unset QT_QPA_PLATFORM
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
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

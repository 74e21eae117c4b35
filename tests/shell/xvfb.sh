# Sourced by the tests that drive the real program: starts a private virtual X
# server on a display number it picks itself (so parallel tests and stale lock
# files never collide), exports DISPLAY, and sets xvfb_pid for the cleanup.
start_xvfb() {
    local display_file
    display_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    [ -s "$display_file" ] || { echo "FAIL: Xvfb did not start"; rm -f "$display_file"; return 1; }
    export DISPLAY=":$(tr -d '\n' < "$display_file")"
    rm -f "$display_file"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "FAIL: display $DISPLAY does not answer"
    return 1
}

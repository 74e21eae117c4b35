# Sourced by the tests that drive the real program: starts a private virtual X
# server, exports DISPLAY, and sets xvfb_pid for the cleanup.
#
# The display number is drawn at random from a wide range rather than taken as
# the lowest free one: a server of another test that is just shutting down
# releases its lock before it removes its socket, and a new server that took
# over the same number would lose its socket to it. -noreset: by default the
# server resets when its last client leaves (here the readiness probe), and a
# program connecting during that reset is turned away.
start_xvfb() {
    local n
    for _ in $(seq 20); do
        n=$((100 + RANDOM % 30000))
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    echo "FAIL: Xvfb did not start"
    return 1
}

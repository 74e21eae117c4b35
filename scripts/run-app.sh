#!/usr/bin/env bash
# Builds the application and starts it in run/ (its working directory, where
# QVT410.CFG, QVT410.INI and the emulated chip's memory files live).
# QVT_BIN_DIR=DIR starts the programs already built in DIR instead (nothing is
# installed or built); QVT_RUN_DIR=DIR works in DIR instead of run/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bin="${QVT_BIN_DIR:-}"
if [ -z "$bin" ]; then
    scripts/ensure-packages.sh app
    # A tree of its own without the tests, whose libraries the start command
    # does not install.
    scripts/build.sh build-app -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVT_BUILD_TESTS=OFF \
        --target qvt410 qvt410-devsim
    bin="$root/build-app/bin"
fi
bin="$(realpath "$bin")"

mkdir -p "${QVT_RUN_DIR:-run}"
cd "${QVT_RUN_DIR:-run}"

# Sets one key of QVT410.INI, leaving every other line of the file as it is.
set_ini() {  # section key value
    touch QVT410.INI
    awk -v s="[$1]" -v k="$2" -v v="$3" '
        function put() { if (in_s && !done) { print k "=" v; done = 1 } }
        /^\[/ { put(); in_s = ($0 == s) }
        in_s && index($0, k "=") == 1 { put(); next }
        { print }
        END { put(); if (!done) { print s; print k "=" v } }
    ' QVT410.INI > QVT410.INI.tmp && mv QVT410.INI.tmp QVT410.INI
}

# Chip programming without hardware: the emulated cable and chip, and the
# programming menu shown.
set_ini parallel access emulated
set_ini programming menu visible

# A simulated device on COM2 (a pseudo terminal), sending a telegram every
# second and answering "Senden" and "TEST"; what it receives is written to
# devsim.log. The simulator makes devsim-tty a link to its terminal, and COM2
# names that link: a new simulator's terminal is known once the link is there,
# whatever an old log or a killed simulator's link still says. It is stopped
# when the program ends.
link="$PWD/devsim-tty"
if [ -L "$link" ]; then rm -f "$link"; fi
"$bin/qvt410-devsim" --link "$link" > devsim.log 2>&1 &
devsim_pid=$!
trap 'kill "$devsim_pid" 2>/dev/null || true; wait "$devsim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -L "$link" ] && break
    kill -0 "$devsim_pid" 2>/dev/null || break
    sleep 0.05
done
[ -L "$link" ] || { echo "The device simulator did not start:" >&2; cat devsim.log >&2; exit 1; }
set_ini serial COM2 "$link"

status=0
if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting under a virtual X server (xvfb-run)."
    xvfb-run -a "$bin/qvt410" || status=$?
else
    "$bin/qvt410" || status=$?
fi
exit "$status"

#!/usr/bin/env bash
# Builds the application and starts it in run/ (its working directory, where
# QVT410.CFG, QVT410.INI and the emulated chip's memory files live).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/ensure-packages.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo --target qvt410 qvt-devsim

mkdir -p run
cd run

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
# run/devsim.log. It is stopped when the program ends.
"$root/build/bin/qvt-devsim" > devsim.log 2>&1 &
devsim_pid=$!
trap 'kill "$devsim_pid" 2>/dev/null || true; wait "$devsim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s devsim.log ] && break; sleep 0.1; done
devsim_path="$(head -n 1 devsim.log)"
[ -n "$devsim_path" ] || { echo "The device simulator did not start:" >&2; cat devsim.log >&2; exit 1; }
set_ini serial COM2 "$devsim_path"

status=0
if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting under a virtual X server (xvfb-run)."
    xvfb-run -a "$root/build/bin/qvt410" || status=$?
else
    "$root/build/bin/qvt410" || status=$?
fi
exit "$status"

#!/usr/bin/env bash
# Builds the application and starts it in run/ (its working directory, where
# QVT410.CFG, QVT410.INI and the emulated chip's memory files live).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/ensure-packages.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

mkdir -p run
cd run
if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: starting under a virtual X server (xvfb-run)."
    exec xvfb-run -a "$root/build/bin/qvt410"
fi
exec "$root/build/bin/qvt410"

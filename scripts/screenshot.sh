#!/usr/bin/env bash
# Starts the built application under a virtual X server in a scratch folder,
# optionally types keys with xdotool, and saves a screenshot.
#   scripts/screenshot.sh OUT.png [xdotool key sequence ...]
# Example: scripts/screenshot.sh shot.png alt+d   (opens the menu "Datei")
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "$1")"; shift
app="${QVT_APP:-$root/build/bin/qvt410}"
work="$(mktemp -d)"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app_pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export DISPLAY="$display"
(cd "$work" && exec "$app") &
app_pid=$!
sleep 2
win=$(xdotool search --sync --name "QVT Parametrieren")
win=${win%%$'\n'*}
xdotool windowfocus --sync "$win" || true
for keys in "$@"; do
    xdotool key --window "$win" "$keys"
    sleep 0.5
done
import -window root "$out"
echo "saved $out"

#!/usr/bin/env bash
# End to end: the real program in an empty folder under a virtual X server.
# It must create QVT410.CFG with its defaults, show its window 455 pixels wide,
# and end with status 0 when "Info > Beenden" is chosen from the keyboard.
set -euo pipefail
app="$(realpath "$1")"
work="$(mktemp -d)"
xvfb_pid=""
source "$(dirname "$0")/xvfb.sh"
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
start_xvfb

cd "$work"
"$app" &
pid=$!
win=""
for _ in $(seq 100); do  # a search can fail while windows come and go; ask again
    win=$(xdotool search --onlyvisible --name "^QVT Parametrieren$" 2>/dev/null | head -1) || true
    [ -n "$win" ] && break
    sleep 0.2
done
[ -n "$win" ] || { echo "FAIL: window did not appear"; exit 1; }

bytes=$(od -An -tx1 QVT410.CFG | tr -d ' \n')
[ "$bytes" = "01050001" ] || { echo "FAIL: QVT410.CFG holds $bytes"; exit 1; }

width=$(xdotool getwindowgeometry --shell "$win" | sed -n 's/^WIDTH=//p')
[ "$width" = "455" ] || { echo "FAIL: window is $width pixels wide"; exit 1; }

xdotool windowfocus --sync "$win"
xdotool key alt+i
sleep 0.5
xdotool key b
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    echo "FAIL: the program did not end after Beenden"
    exit 1
fi
wait "$pid" && status=0 || status=$?
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; exit 1; }
echo "1 passed, 0 failed"

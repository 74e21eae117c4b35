#!/usr/bin/env bash
# End to end on a slow disk, under a virtual X server: every sync takes 100 ms
# longer (a preloaded library) while the simulated device sends numbered
# telegrams back to back at 19200 baud. With "In Datei speichern" on, "Info >
# Info" opens within a second, and after "Beenden" the log holds every
# telegram the device sent, once and in order.
set -euo pipefail
app="$(realpath "$1")" devsim="$(realpath "$2")" shim="$(realpath "$3")"
work="$(mktemp -d)" xvfb_pid="" pid="" sim_pid=""
source "$(dirname "$0")/xvfb.sh"
cleanup() {
    for p in "$pid" "$sim_pid" "$xvfb_pid"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb
# Under the sanitizers: the preloaded library comes before their runtime, and
# the X keyboard library hands strndup an unterminated buffer with a length.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"

fail() { echo "FAIL: $*"; exit 1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
window() {  # title, seconds to wait for it
    local id end=$(($(now_ms) + $2 * 1000))
    while [ "$(now_ms)" -lt "$end" ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null) || true
        id=${id%%$'\n'*}
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
}
keys() {  # window, a key, then after a pause the keys that follow it
    xdotool windowfocus --sync "$1"
    xdotool key "$2"
    [ $# -lt 3 ] || { sleep 0.3; xdotool key "${@:3}"; }
}

cd "$work"
count=400 delay=8000  # 5.8 s on the line, after 8 s for start-up and logging on
printf '\x01\x07\x00\x01' >QVT410.CFG  # COM2 at 19200 baud
printf '[serial]\nCOM2=%s\n' "$work/tty" >QVT410.INI
"$devsim" --link tty --numbered --cycle 0 --baud 19200 --count $count --delay $delay >sim.out &
sim_pid=$! started=$(now_ms)
for _ in $(seq 50); do [ -L tty ] && break; sleep 0.1; done
LD_PRELOAD="$shim" "$app" &
pid=$!
main=$(window "QVT Parametrieren" 20)
[ -n "$main" ] || fail "main window did not appear"
keys "$main" alt+e Down Down Down Return  # "In Datei speichern", fourth in the menu
for _ in $(seq 100); do log=$(find . -name '*.QVT'); [ -n "$log" ] && break; sleep 0.05; done
[ -n "$log" ] || fail "\"In Datei speichern\" opened no log file"
[ $(($(now_ms) - started)) -lt $delay ] || fail "logging went on after the first telegram"
for _ in $(seq 400); do [ -s "$log" ] && break; sleep 0.05; done

asked=$(now_ms)
keys "$main" alt+i i
info=$(window "Programminfo" 10)
took=$(($(now_ms) - asked))
[ -n "$info" ] && [ "$took" -lt 1000 ] || fail "the info box took $took ms to open"
grep -q '^sent' sim.out && fail "the stream had ended before the info box opened"
keys "$info" Escape

for _ in $(seq 300); do grep -q "^sent" sim.out && break; sleep 0.1; done
sleep 1
keys "$main" alt+i b
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && fail "the program did not end after Beenden"
wait $pid || fail "the program ended with status $?"
pid=""
numbers=$(sed -n 's/^[0-9.]* [0-9:]*+\([0-9]\{7\}\)C\r$/\1/p' "$log" | sed 's/^0*//')
[ "$numbers" = "$(seq $count)" ] && [ "$(wc -l <"$log")" = $count ] ||
    fail "$(wc -l <"$log") lines logged, not telegrams 1 to $count; last: $(tail -1 "$log")"
echo "info box after $took ms; $count telegrams logged; 1 passed, 0 failed"

#!/usr/bin/env bash
# End to end: the real program in an empty folder under a virtual X server.
# It must create QVT410.CFG with its defaults, show its window 455 pixels wide,
# and end with status 0 when "Info > Beenden" is chosen from the keyboard.
# COM2 is a simulated device's pseudo terminal, left by "another program" with
# settings of its own; the telegrams it sends are logged ("In Datei speichern").
# At exit the program gives everything back: the line has its old settings
# again, it is no longer held for exclusive use, and the log file is closed,
# with every telegram line whole.
set -euo pipefail
app="$(realpath "$1")"
devsim="$(dirname "$app")/qvt410-devsim"
work="$(mktemp -d)"
xvfb_pid=""
devsim_pid=""
pid=""
source "$(dirname "$0")/xvfb.sh"
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$devsim_pid" ] && kill "$devsim_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
for tool in xdotool stty perl od "$devsim"; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
start_xvfb
# The X keyboard library hands strndup a buffer with a length but without a
# terminating zero, which is allowed; ASan's strict string checks call that an
# overflow. Everything else stays checked.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
fi

# 1 while the line is held for exclusive use (TIOCGEXCL; an unprivileged open
# is refused then), 0 when not.
exclusive() {
    perl -e '
        use Fcntl;
        sysopen(my $fh, $ARGV[0], O_RDWR | O_NONBLOCK | O_NOCTTY)
            or do { print $!{EBUSY} ? "1\n" : "open: $!\n"; exit };
        my $flag = pack("i", 0);
        ioctl($fh, 0x80045440, $flag) or do { print "ioctl: $!\n"; exit };
        print unpack("i", $flag), "\n";' "$1"
}
# The processes that have the file open.
holders() {
    local target fd
    target="$(realpath "$1")"
    for fd in /proc/[0-9]*/fd/*; do
        [ "$(readlink "$fd" 2>/dev/null)" = "$target" ] && echo "${fd%/fd/*}"
    done
    return 0
}

"$devsim" --numbered --cycle 100 >"$work/devsim.out" 2>&1 &
devsim_pid=$!
for _ in $(seq 50); do [ -s "$work/devsim.out" ] && break; sleep 0.1; done
line="$(head -n 1 "$work/devsim.out")"
[ -c "$line" ] || fail "the device simulator did not start: $(cat "$work/devsim.out")"
stty -F "$line" 1200 cstopb icanon -echo ixon icrnl opost onlcr
before="$(stty -g -F "$line")"
[ "$(exclusive "$line")" = 0 ] || fail "the line is held before the program runs"

mkdir "$work/run"
cd "$work/run"
printf '[serial]\nCOM2=%s\n' "$line" >QVT410.INI
"$app" &
pid=$!
win=""
for _ in $(seq 100); do  # a search can fail while windows come and go; ask again
    win=$(xdotool search --onlyvisible --name "^QVT Parametrieren$" 2>/dev/null) || true
    win=${win%%$'\n'*}
    [ -n "$win" ] && break
    sleep 0.2
done
[ -n "$win" ] || fail "window did not appear"

bytes=$(od -An -tx1 QVT410.CFG | tr -d ' \n')
[ "$bytes" = "01050001" ] || fail "QVT410.CFG holds $bytes"

width=$(xdotool getwindowgeometry --shell "$win" | sed -n 's/^WIDTH=//p')
[ "$width" = "455" ] || fail "window is $width pixels wide"

# The program has the line: its own settings, exclusive use.
[ "$(stty -g -F "$line")" != "$before" ] || fail "the program did not configure COM2"
[ "$(exclusive "$line")" = 1 ] || fail "COM2 is not held for exclusive use: $(exclusive "$line")"

# "Einstellungen", then down past "Gerätetyp...", "Drucken", "Druckseite
# löschen" to "In Datei speichern", which has no mnemonic.
xdotool windowfocus --sync "$win"
xdotool key alt+e
sleep 0.5
xdotool key Down Down Down Return
log=""
for _ in $(seq 100); do
    logs=(./*_A.QVT)
    log=""; [ -e "${logs[0]}" ] && log=${logs[0]}
    [ -n "$log" ] && [ "$(tr -cd '\n' <"$log" | wc -c)" -ge 3 ] && break
    sleep 0.1
done
[ -n "$log" ] || fail "no log file was started"
[ -n "$(holders "$log")" ] || fail "the program does not hold its log file open"

xdotool windowfocus --sync "$win"
xdotool key alt+i
sleep 0.5
xdotool key b
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end after Beenden"
fi
wait "$pid" && status=0 || status=$?
pid=""
[ "$status" = 0 ] || fail "exit status $status"

after="$(stty -g -F "$line")"
[ "$after" = "$before" ] || fail "COM2 settings not restored: $before before, $after after"
[ "$(exclusive "$line")" = 0 ] || fail "COM2 still held for exclusive use after exit"
held="$(holders "$log")"
[ -z "$held" ] || fail "$log still open in $held"
# Every line a whole telegram ending in CR LF, the numbers running on.
lines=$(tr -cd '\n' <"$log" | wc -c)
[ "$lines" -ge 3 ] || fail "$log has $lines lines"
[ "$(tail -c 2 "$log" | od -An -tx1 | tr -d ' \n')" = "0d0a" ] || fail "$log ends mid-line"
pattern='^[0-9]{2}\.[0-9]{2}\.[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\+[0-9]{7}C'$'\r''$'
previous=""
while IFS= read -r entry; do
    [[ "$entry" =~ $pattern ]] || fail "log line \"$entry\" is not a whole telegram"
    number=$((10#${entry:18:7}))
    [ -z "$previous" ] || [ "$number" = $((previous + 1)) ] || fail "log skips from $previous to $number"
    previous=$number
done <"$log"
echo "1 passed, 0 failed"

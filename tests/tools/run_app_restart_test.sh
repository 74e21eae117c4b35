#!/usr/bin/env bash
# scripts/run-app.sh started five times in a row in the same folder, with the
# real device simulator and a stand-in for the program that reads one
# telegram from COM2 and ends. A restart finds the last run's devsim.log (and
# a link that a killed simulator left behind); COM2 must still lead to the
# simulator just started. The disk is slow (a preloaded library makes every
# truncating open wait), so the old log outlives the simulator's start.
set -euo pipefail
script="$(realpath "$1")"
devsim="$(realpath "$2")"
shim="$(realpath "$3")"
# A sanitized simulator tolerates the preloaded library before its runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/bin" "$work/run"
ln -s "$devsim" "$work/bin/qvt410-devsim"
cat >"$work/bin/qvt410" <<'APP'
#!/usr/bin/env bash
com2="$(sed -n 's/^COM2=//p' QVT410.INI)"
[ -c "$com2" ] || { echo "COM2 is $com2, no terminal"; exit 3; }
timeout 5 head -c 1 "$com2" >/dev/null || { echo "no telegram on $com2"; exit 4; }
APP
chmod +x "$work/bin/qvt410"

printf '/dev/pts/stale\n' >"$work/run/devsim.log"
ln -s /dev/pts/stale "$work/run/devsim-tty"
for run in 1 2 3 4 5; do
    out=$(LD_PRELOAD="$shim" DISPLAY=:stand-in QVT_BIN_DIR="$work/bin" QVT_RUN_DIR="$work/run" "$script" 2>&1) ||
        fail "start $run: $out"
done
[ ! -L "$work/run/devsim-tty" ] || fail "the simulator's link outlived it"
echo "5 passed, 0 failed"

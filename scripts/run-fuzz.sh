#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (fuzzer, AddressSanitizer
# with leak checking, UndefinedBehaviorSanitizer) and runs each for a bounded
# time, two at a time:
#   scripts/run-fuzz.sh [SECONDS] [TARGET...]    (30 s each, every target)
# Each run starts from a copy of the committed seeds and reproducers (the
# committed folders stay as they are) with the target's dictionary. A crash, a
# hang (an input slower than 10 s), a leak, a sanitizer report or running out
# of memory fails the run; the log then shows the report and every reproducer
# in base64, to be kept as a regression input (replayed by ctest from then on):
#   base64 -d > tests/fuzz/regressions/TARGET/what-it-does   (paste, Ctrl-D)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift $(($# > 0 ? 1 : 0))

scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVT_WERROR=ON -DQVT_FUZZ=ON \
    -DCMAKE_CXX_COMPILER="$(command -v clang++-14)" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for program in build-fuzz/bin/fuzz_*; do
        name="${program##*/fuzz_}"
        [[ "$name" == replay_* ]] || targets+=("$name")
    done
fi

dictionary() {
    case "$1" in
        hex_reader) echo tests/fuzz/dictionaries/hex.dict ;;
        telegram_assembler | pc_frame_reader) echo tests/fuzz/dictionaries/telegram.dict ;;
    esac
}

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt:print_suppressions=0"
runs="$PWD/build-fuzz/runs"

run_one() {
    local target="$1" work="$runs/$1" dict
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    cp tests/fuzz/corpus/"$target"/* "$work/corpus/"
    if [ -d tests/fuzz/regressions/"$target" ]; then
        cp tests/fuzz/regressions/"$target"/* "$work/corpus/"
    fi
    dict="$(dictionary "$target")"
    local status=0
    build-fuzz/bin/fuzz_"$target" ${dict:+-dict="$dict"} -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
        "$work/corpus" > "$work/log" 2>&1 || status=$?
    echo "$status" > "$work/status"
}

for target in "${targets[@]}"; do
    run_one "$target" &
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
done
wait

failed=0
for target in "${targets[@]}"; do
    work="$runs/$target"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work/log" | tail -n 1)
    echo "fuzz_$target: ${executions:-?} executions in ${seconds} s, ${coverage:-no coverage line}"
    [ "$(cat "$work/status")" = 0 ] && continue
    failed=1
    echo "==== fuzz_$target FAILED (exit $(cat "$work/status")); its report:"
    tail -n 60 "$work/log"
    for artifact in "$work"/artifacts/*; do
        [ -f "$artifact" ] || continue
        echo "==== reproducer ${artifact##*/} ($(stat -c %s "$artifact") bytes), base64:"
        base64 -w 76 "$artifact"
        echo "==== keep it: base64 -d > tests/fuzz/regressions/$target/NAME"
    done
done
exit "$failed"

#!/usr/bin/env bash
# Runs clang-tidy-14 with the checks of .clang-tidy over every source file of
# src/ and tools/ in a build's compilation database, and fails on any finding.
#   scripts/run-clang-tidy.sh [BUILD_DIR]     (default: build)
# Prints each finding once (a header's finding is reported by every file that
# includes it) and the count per folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="${1:-build}"
if [ ! -f "$build/compile_commands.json" ]; then
    echo "run-clang-tidy.sh: $build/compile_commands.json is missing; configure and build $build first" >&2
    exit 1
fi
ours="^$root/(src|tools)/"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

if command -v run-clang-tidy-14 >/dev/null; then
    run-clang-tidy-14 -clang-tidy-binary "$(command -v clang-tidy-14)" -p "$build" -j 2 -quiet \
        -header-filter "$ours" "$ours" >"$log" 2>&1 || true
else
    # The files of the compilation database, one clang-tidy-14 each.
    sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$build/compile_commands.json" | grep -E "$ours" |
        sort -u | xargs -r -n 1 -P 2 clang-tidy-14 -p "$build" --quiet --header-filter="$ours" \
        >"$log" 2>&1 || true
fi

# run-clang-tidy-14 colours its output whatever it writes to.
findings="$(sed 's/\x1b\[[0-9;]*m//g' "$log" |
    grep -E "^$root/[^:]+:[0-9]+:[0-9]+: (warning|error): " | sort -u || true)"
if [ -z "$findings" ]; then
    echo "clang-tidy: no findings in src/ and tools/"
    exit 0
fi
echo "$findings" | sed "s|^$root/||"
echo
echo "clang-tidy findings per folder:"
echo "$findings" | sed -E "s|^$root/((src\|tools)/[^/:]+)/.*|\1|" | sort | uniq -c
exit 1

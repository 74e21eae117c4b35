#!/usr/bin/env bash
# Fails when a C++ source of the project (tracked, or new and not ignored)
# differs from what clang-format makes of it with .clang-format, and prints
# the places. `clang-format -i FILE` puts a file right.
set -euo pipefail
cd "$(dirname "$0")/.."
sources=()
while IFS= read -r -d '' file; do
    [ -f "$file" ] && sources+=("$file")  # a tracked file deleted in the work tree is gone
done < <(git ls-files --cached --others --exclude-standard -z -- '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"

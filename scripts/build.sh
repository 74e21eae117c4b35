#!/usr/bin/env bash
# Configures and builds one tree:
#   build.sh DIR [cmake options...] [--target TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
options=(); targets=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--target" ]; then shift; targets=("$@"); break; fi
    options+=("$1"); shift
done
cmake -S . -B "$dir" -G Ninja "${options[@]}" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" --parallel "$(nproc)" ${targets[@]:+--target "${targets[@]}"}

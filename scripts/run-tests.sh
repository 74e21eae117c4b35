#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test: once in a
# normal build with warnings as errors, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. The tests with firmware made by sdcc and
# srec_cat are required here: a missing tool fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh
scripts/check-format.sh

scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVT_WERROR=ON -DQVT_REQUIRE_FIXTURE_TOOLS=ON
(cd build && ctest --output-on-failure --parallel 2 --timeout 600)

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQVT_WERROR=ON -DQVT_SANITIZE=ON \
    -DQVT_REQUIRE_FIXTURE_TOOLS=ON
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure --parallel 2 --timeout 900)

#!/usr/bin/env bash
# Checks the formatting, builds everything and runs every test: once in a
# normal (Release) build with warnings as errors, checked by clang-tidy, whose
# Debian package is then built, installed, tried and removed, once under
# AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, then built
# with clang, then each fuzz target for 30 s.
# The tests with firmware made by sdcc and srec_cat are required here: a
# missing tool fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-packages.sh app test
scripts/check-format.sh

# The normal build is the Release build a packager makes, so the same tree is
# tested and packaged.
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DQVT_WERROR=ON -DQVT_REQUIRE_FIXTURE_TOOLS=ON
# The naming style and the checks of .clang-tidy, on that build's compile commands.
scripts/run-clang-tidy.sh build
(cd build && ctest --output-on-failure --parallel 2 --timeout 600)

# The Debian package of that tree: built, lintian-clean, installed, tried from
# the installed paths and removed again.
scripts/check-package.sh build

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DQVT_WERROR=ON -DQVT_SANITIZE=ON \
    -DQVT_REQUIRE_FIXTURE_TOOLS=ON
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt:print_suppressions=0"
(cd build-asan && ctest --output-on-failure --parallel 2 --timeout 900)

# A packager's build with the other compiler Debian 12 offers, with the default
# options (warnings are not errors there): everything must compile.
scripts/build.sh build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$(command -v clang++-14)"

scripts/run-fuzz.sh 30

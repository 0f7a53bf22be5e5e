#!/usr/bin/env bash
# Builds the whole project and every test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer in build/asan and runs every test. A sanitizer report of any kind
# (memory error, leak, undefined behaviour) stops the test program, so the test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/packages.sh"
"$root/scripts/deps.sh" "${TEST_PACKAGES[@]}"
build="$root/build/asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDAC_EVAL_SANITIZE=ON
cmake --build "$build" -j 2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure --no-tests=error -j 2

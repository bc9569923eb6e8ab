#!/usr/bin/env bash
# Builds a second tree with AddressSanitizer, LeakSanitizer and UBSan (build-sanitize/) and runs
# every test in it, display tests under an Xvfb of its own; any report fails the run.
# Usage: tools/test-sanitizers.sh [build|test] (see tools/test-stage.sh; CAPSARO_TEST_LABEL=display
# runs only the display tests).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/test-stage.sh

if [ "$stage_build" = yes ]; then
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCAPSARO_SANITIZE=ON -DCAPSARO_WERROR=ON >/dev/null
  cmake --build build-sanitize -j2
fi
[ "$stage_test" = yes ] || exit 0

. tools/xvfb.sh
start_xvfb 130 149
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT

# Leaks inside the system's graphics and toolkit libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-sanitize
DISPLAY="$display" ctest --output-on-failure -j2 "${ctest_selection[@]}"

#!/usr/bin/env bash
# Builds build/ with warnings as errors and runs its tests, those labelled "display" under an Xvfb
# that this script starts and stops. tools/test.sh runs it after the formatting check.
# Usage: tools/test-linux.sh [build|test] (see tools/test-stage.sh; CAPSARO_TEST_LABEL=display
# runs only the display tests).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/test-stage.sh

if [ "$stage_build" = yes ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAPSARO_WERROR=ON >/dev/null
  cmake --build build -j2
fi
[ "$stage_test" = yes ] || exit 0

# A private X server for the tests that need one.
. tools/xvfb.sh
start_xvfb 90 120
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT

cd build
DISPLAY="$display" ctest --output-on-failure -j2 "${ctest_selection[@]}"

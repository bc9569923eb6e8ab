#!/usr/bin/env bash
# Builds the Windows build (tools/build-windows.sh) and runs its tests as Windows programs under
# Wine, in the project's own Wine prefix, with a wineserver and an Xvfb of its own that it stops
# again. tools/test.sh runs it after the Linux suites.
# Usage: tools/test-windows.sh [build|test] (see tools/test-stage.sh; CAPSARO_TEST_LABEL=display
# runs only the display tests).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
. tools/test-stage.sh

[ "$stage_build" = no ] || tools/build-windows.sh -j2
[ "$stage_test" = yes ] || exit 0

. tools/xvfb.sh
start_xvfb 161 190
export DISPLAY="$display" WINEPREFIX="$root/build-windows/wineprefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
stop() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT

# Make the prefix once (tools/wine.sh), then keep one server and its services running with their
# output in a file: services started by the first test would otherwise hold ctest's pipes open.
tools/wine.sh cmd /c exit >/dev/null 2>&1 </dev/null
wineserver -p || true # already running for this prefix: keep it
wine wineboot >"$root/build-windows/wineboot.log" 2>&1 </dev/null

# The Linux program, where tools/test.sh built it, to compare frames with.
[ -x build/capsaro ] && export CAPSARO_LINUX_PROGRAM="$root/build/capsaro"
cd build-windows
# Wine under load now and then loses a test program's connection to its server: a failed test is
# run once more, and fails the run only if it fails again.
ctest --output-on-failure -j2 --repeat until-pass:2 "${ctest_selection[@]}"

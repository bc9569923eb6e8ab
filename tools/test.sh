#!/usr/bin/env bash
# Checks the formatting, builds Capsaro with warnings as errors and runs every test. Tests
# labelled "display" run under an Xvfb that this script starts and stops; tests labelled "slow"
# run only with CAPSARO_SLOW_TESTS=1. After it passes, the Debian package is built, installed,
# checked and purged (tools/test-package.sh), the suite runs again under the sanitizers
# (tools/test-sanitizers.sh) and every fuzz target runs for 30 seconds (tools/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# Each stage says how long it took, so the cost of each is plain in CI's log.
stage_start=$SECONDS
stage_done() {
  echo "== $1: $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}

tools/deps.sh test
tools/check-format.sh
tools/test-linux.sh
stage_done "Linux build and tests"

# The Debian package: built, checked with lintian, installed, run, and purged again.
tools/test-package.sh
stage_done "Debian package"

# The whole suite again under AddressSanitizer, LeakSanitizer and UBSan; then each fuzz target.
tools/test-sanitizers.sh
stage_done "sanitizer build and tests"
tools/fuzz.sh 30
stage_done "fuzzing"

# The Windows build's portable unit tests as Windows programs under Wine.
tools/test-windows.sh
stage_done "Windows build and tests under Wine"

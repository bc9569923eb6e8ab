#!/usr/bin/env bash
# The tests that start a window system, run while two busy processes keep both cores loaded, as on
# a machine shared with other builds: the Linux display tests (tools/test-linux.sh), the same in
# the sanitizer build (tools/test-sanitizers.sh) and the Windows build's tests under Wine
# (tools/test-windows.sh, which reruns a failed test once). Everything is built first, before the
# load starts; then each stage runs in turn, and says how long it took and whether it passed.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=(test-linux test-sanitizers test-windows)
for stage in "${stages[@]}"; do
  tools/$stage.sh build
done

busy_pids=()
stop_load() {
  for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_load EXIT
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  busy_pids+=($!)
done
echo "== two busy processes keep both cores loaded (${busy_pids[*]})"

failed=0
report=()
for stage in "${stages[@]}"; do
  label=display
  # Every Windows test runs under Wine on an X server of its own: all of them start a window system.
  [ "$stage" = test-windows ] && label=
  start=$SECONDS
  if CAPSARO_TEST_LABEL=$label tools/$stage.sh test; then result=passed; else result=FAILED failed=1; fi
  report+=("== $stage${label:+ (-L $label)}: $result in $((SECONDS - start)) s")
  echo "${report[-1]}"
done

echo "== under load:"
printf '%s\n' "${report[@]}"
exit "$failed"

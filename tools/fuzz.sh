#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (build-fuzz/) and runs each for SECONDS
# seconds from its seed corpus; new inputs collect in build-fuzz/corpus/, crashes in
# build-fuzz/crashes/. A crash fails the run: add the input to tests/fuzz/corpus/ and to a unit test.
# Usage: tools/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: tools/fuzz.sh SECONDS}"

targets=(png settings options stream)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAPSARO_FUZZ=ON \
  -DCAPSARO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/crashes
status=0
for target in "${targets[@]}"; do
  work="build-fuzz/corpus/$target"
  mkdir -p "$work"
  seeds=("tests/fuzz/corpus/$target")
  [ "$target" = png ] && seeds+=("build stuff/gfx")
  log="build-fuzz/fuzz_$target.log"
  if build-fuzz/tests/fuzz/"fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix=build-fuzz/crashes/"$target-" "$work" "${seeds[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: $runs inputs in ${seconds} s ($((runs / seconds)) per second), no crash"
  else
    echo "fuzz_$target: FAILED, see $log" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
done
exit "$status"

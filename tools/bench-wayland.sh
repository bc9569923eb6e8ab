#!/usr/bin/env bash
# The Wayland host against the X11 host on this machine, side by side: the CPU share of the running
# full-screen saver with the default settings on one 1920 x 1080 output (a headless sway; the X11
# build under Xvfb), the intervals between the frames the compositor asks for, and the time from
# starting "/s" to its first frame on the output. Both draw with the software driver.
# Usage: tools/bench-wayland.sh [ROUNDS [SECONDS]] (default 3 rounds of 10 s); each round runs
# both hosts back to back, and the script prints every run and the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-3}"
seconds="${2:-10}"

if [ ! -f build/build.ninja ]; then cmake -S . -B build -G Ninja -DCAPSARO_WERROR=ON >/dev/null; fi
cmake --build build --target capsaro >/dev/null

. tools/xvfb.sh
start_xvfb 131 160
x_display=$display
source tests/support/headless_sway.sh
start_sway "output HEADLESS-1 mode 1920x1080"
work=$(mktemp -d /tmp/capsaro-bench-wayland.XXXXXX)
chmod 755 "$work"
cp build/capsaro "$work/capsaro"
cd "$work"
trap 'stop_sway; kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
export CAPSARO_DRIVER=soft

# cpu_share PID SECONDS: the share of one core the process used over that many seconds.
cpu_share() {
  local ticks=$(getconf CLK_TCK) before after
  before=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$2"
  after=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v a="$after" -v b="$before" -v t="$ticks" -v s="$2" 'BEGIN {printf "%.3f", (a - b) / t / s}'
}
median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

wayland_runs=() x11_runs=()
for round in $(seq "$rounds"); do
  # One second for start-up, then the measured stretch.
  CAPSARO_HOST=wayland ./capsaro /s >/dev/null 2>&1 &
  pid=$!
  sleep 1
  wayland_runs+=("$(cpu_share $pid "$seconds")")
  kill $pid; wait $pid 2>/dev/null || true
  DISPLAY=$x_display CAPSARO_HOST=x11 ./capsaro /s >/dev/null 2>&1 &
  pid=$!
  sleep 1
  x11_runs+=("$(cpu_share $pid "$seconds")")
  kill $pid; wait $pid 2>/dev/null || true
  echo "round $round: CPU share Wayland ${wayland_runs[-1]}, X11 ${x11_runs[-1]}"
done
echo "median CPU share of a core: Wayland $(printf '%s\n' "${wayland_runs[@]}" | median)," \
     "X11 $(printf '%s\n' "${x11_runs[@]}" | median) ($rounds interleaved rounds of $seconds s)"

# The protocol log of one more run gives the frame callbacks' times (milliseconds) and the first
# commit of a buffer; it costs time itself, so the CPU share above comes from runs without it.
WAYLAND_DEBUG=client CAPSARO_HOST=wayland ./capsaro /s >/dev/null 2>log.txt &
pid=$!
sleep "$seconds"
kill $pid; wait $pid 2>/dev/null || true
awk -F'[][]' '/wl_callback@[0-9]+\.done/ {print $2}' log.txt >done.txt
awk 'NR > 1 {print $1 - last} {last = $1}' done.txt | sort -g >intervals.txt
echo "frame callbacks: $(wc -l <done.txt) in $seconds s; interval median $(median <intervals.txt) ms," \
     "10th percentile $(awk '{v[NR] = $1} END {print v[int(NR * 0.1) + 1]}' intervals.txt) ms," \
     "90th $(awk '{v[NR] = $1} END {print v[int(NR * 0.9)]}' intervals.txt) ms," \
     "largest $(tail -1 intervals.txt) ms"
awk -F'[][]' 'NR == 1 {start = $2} /wl_surface@[0-9]+\.attach\(wl_buffer/ {printf "start to first frame: %.1f ms (from the first request on the connection)\n", $2 - start; exit}' log.txt

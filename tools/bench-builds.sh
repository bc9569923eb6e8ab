#!/usr/bin/env bash
# Two builds of the saver against each other on one private Xvfb: for each chilli count, ROUNDS
# rounds that run both programs back to back (the order alternating), each measuring the unpaced
# frame rate (CAPSARO_FPS=6) and then, at 60 Hz, the CPU share of capsaro and of the X server over
# 6 s. Prints every run and the medians.
# Each run shows two random varieties, and their sizes differ widely, so single runs vary by
# several times: compare medians of several rounds, or the seeded in-process bench_show.
# Usage: tools/bench-builds.sh BEFORE AFTER "COUNTS" ROUNDS [Xvfb screen arguments...]
#   e.g. tools/bench-builds.sh old/capsaro build/capsaro "20 200" 3 -screen 0 3840x2160x24
set -euo pipefail
cd "$(dirname "$0")/.."
before=$(readlink -f "$1")
after=$(readlink -f "$2")
counts=$3
rounds=$4
shift 4

. tools/xvfb.sh
start_xvfb 140 160 "$@"
trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
sleep 1
hz=$(getconf CLK_TCK)

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
fps_run() {
  CAPSARO_FPS=6 DISPLAY=$display "$1" /s --count "$2" 2>&1 >/dev/null | grep -o '[0-9.]* frames a second' |
    cut -d' ' -f1
}
# Prints the CPU shares (cores) of the saver and of the X server over 6 s at 60 Hz.
cpu_run() {
  DISPLAY=$display "$1" /s --count "$2" >/dev/null 2>&1 &
  local saver=$! c0 x0 c1 x1
  sleep 1.5
  c0=$(ticks $saver)
  x0=$(ticks "$xvfb_pid")
  sleep 6
  c1=$(ticks $saver)
  x1=$(ticks "$xvfb_pid")
  kill -TERM $saver
  wait $saver 2>/dev/null || true
  awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v hz="$hz" 'BEGIN { printf "%.2f %.2f", c / hz / 6, x / hz / 6 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results=$(mktemp)
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$results"' EXIT
for count in $counts; do
  for round in $(seq "$rounds"); do
    order="before after"
    [ $((round % 2)) = 0 ] && order="after before"
    for which in $order; do
      program=$before
      [ "$which" = after ] && program=$after
      fps=$(fps_run "$program" "$count")
      read -r cpu x <<<"$(cpu_run "$program" "$count")"
      echo "$count $which $fps $cpu $x" | tee -a "$results" |
        awk '{ printf "count %s %-6s fps %s  capsaro %s cores  X %s cores\n", $1, $2, $3, $4, $5 }'
    done
  done
  for which in before after; do
    line=$(awk -v c="$count" -v w="$which" '$1 == c && $2 == w' "$results")
    echo "count $count $which medians: fps $(cut -d' ' -f3 <<<"$line" | median)" \
      "capsaro $(cut -d' ' -f4 <<<"$line" | median) cores X $(cut -d' ' -f5 <<<"$line" | median) cores"
  done
done

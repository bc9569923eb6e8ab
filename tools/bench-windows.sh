#!/usr/bin/env bash
# The Windows build against the Linux build on this machine, side by side: the frame rate of the
# running full-screen saver (software driver, 1920 x 1080, unpaced through CAPSARO_FPS) at 200 and
# 1000 chillies, and the time from starting "/s" to its first frame of chillies on the screen.
# Builds both where needed, starts an Xvfb and the Wine prefix's server of its own and stops them.
# Usage: tools/bench-windows.sh [ROUNDS [SECONDS]] (default 2 rounds of 5 s per run); each round
# runs both builds at each count, back to back.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
rounds="${1:-2}"
seconds="${2:-5}"
counts=(200 1000)

if [ ! -f build/build.ninja ]; then cmake -S . -B build -G Ninja -DCAPSARO_WERROR=ON >/dev/null; fi
cmake --build build --target capsaro bench_saver_x11 >/dev/null
tools/build-windows.sh --target capsaro >/dev/null

. tools/xvfb.sh
start_xvfb 131 160
work=$(mktemp -d /tmp/capsaro-bench-windows.XXXXXX)
export DISPLAY="$display" WINEPREFIX="$root/build-windows/wineprefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The Linux saver's running lock goes in the work folder, away from any other saver's; both
# builds draw with the software driver, which is what each picks on a machine without a GPU.
export XDG_RUNTIME_DIR="$work" CAPSARO_DRIVER=soft
stop() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# The prefix once (tools/wine.sh), then one server with its services' output in a file.
tools/wine.sh cmd /c exit >/dev/null 2>&1 </dev/null
wineserver -p || true
wine wineboot >"$work/wineboot.log" 2>&1 </dev/null

mkdir -p "$work/linux" "$work/windows"
cp build/capsaro "$work/linux/capsaro"
cp build-windows/capsaro.scr "$work/windows/capsaro.scr"

# settings COUNT: the eight-line file beside both programs (scale 0.5, no desktop, names,
# shadows or changes, motion 1, clear screen).
settings() {
  for side in linux windows; do
    printf '%d\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n1\r\n1\r\n' "$1" >"$work/$side/Capsaro.cfg"
  done
}

# fps SIDE: the frames a second one measured run reports (its last line on standard error).
fps() {
  local out
  if [ "$1" = linux ]; then
    out=$(cd "$work/linux" && { CAPSARO_FPS="$seconds" ./capsaro /s 2>&1 </dev/null || true; })
  else
    out=$(cd "$work/windows" && { CAPSARO_FPS="$seconds" wine ./capsaro.scr /s 2>&1 </dev/null || true; })
  fi
  local rate
  rate=$(grep -o '[0-9.]* frames a second' <<<"$out" | tail -1 | cut -d' ' -f1)
  if [ -z "$rate" ]; then
    echo "no frame rate from the $1 saver: $out" >&2
    exit 1
  fi
  echo "$rate"
}

echo "frames a second of '/s', software driver, 1920x1080, ${seconds} s a run"
printf '%-6s %-6s %10s %10s %8s\n' round count linux windows ratio
declare -A linux_rates windows_rates ratios
for round in $(seq "$rounds"); do
  for count in "${counts[@]}"; do
    settings "$count"
    # Odd rounds run Linux first, even rounds Windows first, so neither always follows the other.
    if [ $((round % 2)) -eq 1 ]; then
      l=$(fps linux)
      w=$(fps windows)
    else
      w=$(fps windows)
      l=$(fps linux)
    fi
    r=$(awk -v w="$w" -v l="$l" 'BEGIN { printf "%.2f", w / l }')
    linux_rates[$count]+="$l "
    windows_rates[$count]+="$w "
    ratios[$count]+="$r "
    printf '%-6s %-6s %10s %10s %8s\n' "$round" "$count" "$l" "$w" "$r"
  done
done
# The range of each, and of the ratio of the two runs made back to back.
range() { tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -g | sed -n '1p;$p' | paste -sd- -; }
for count in "${counts[@]}"; do
  echo "N = $count: Linux $(range "${linux_rates[$count]}") fps, Windows $(range "${windows_rates[$count]}") fps," \
    "Windows / Linux $(range "${ratios[$count]}")"
done

# Start to first frame: bench_saver_x11 polls the screen for the first chilli (default settings).
echo
echo "start of '/s' to its first frame of chillies on the screen"
for round in $(seq "$rounds"); do
  for side in linux windows; do
    scr=""
    [ "$side" = windows ] && scr="$root/build-windows/capsaro.scr"
    CAPSARO_BENCH_SCR="$scr" build/bench/saver_x11/bench_saver_x11 --benchmark_filter=StartToFirstFrame \
      --benchmark_format=console 2>/dev/null | sed -n "s/^BM_StartToFirstFrame[^ ]* *\([0-9.]* ms\).*/round $round $side: \1/p"
  done
done

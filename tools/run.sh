#!/usr/bin/env bash
# Installs what the build needs, builds the program alone (tools/test.sh builds the tests and
# benchmarks) and runs it. Arguments go to the program (default "/s", the full-screen saver; "/c"
# opens the configuration dialog).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target capsaro

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No screen to show it on: render a few seconds of the show headless instead.
  out="$PWD/out/frames"
  rm -rf "$out"
  build/capsaro --render "$out" --frames 150 --size 640x360 --seed "$RANDOM"
  gif=""
  if command -v convert >/dev/null 2>&1; then
    gif="$PWD/out/show.gif"
    convert -delay 4 -loop 0 "$out"/frame00[0-9][02468].png "$out"/frame01[0-4][02468].png "$gif" && gif=" and $gif" || gif=""
  fi
  echo "capsaro: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the show was rendered headless: 150 frames in $out$gif."
  echo "To watch it live, run tools/run.sh in a desktop session (or under 'Xvfb :1 & DISPLAY=:1 tools/run.sh')."
  exit 0
fi
[ $# -gt 0 ] || set -- /s
exec build/capsaro "$@"

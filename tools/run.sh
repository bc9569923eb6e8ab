#!/usr/bin/env bash
# Installs what the build needs, builds Capsaro and runs it. Arguments go to the program
# (default "/s", the full-screen saver; "/c" opens the configuration dialog).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build

if [ -z "${DISPLAY:-}" ]; then
  echo "capsaro: no X display (DISPLAY is not set): run this from a desktop session, or start one with 'Xvfb :1 & DISPLAY=:1 tools/run.sh'." >&2
  exit 1
fi
[ $# -gt 0 ] || set -- /s
exec build/capsaro "$@"

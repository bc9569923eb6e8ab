#!/usr/bin/env bash
# The same seed renders the same frames on Windows as on Linux: capsaro.scr --render under Wine
# against the Linux program named by CAPSARO_LINUX_PROGRAM (skipped without it), byte for byte,
# every one of 40 frames of each motion mode's show at 320x240, and of a two-monitor layout.
# Usage: render_same_test.sh CAPSARO_SCR (WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
linux="${CAPSARO_LINUX_PROGRAM:-}"
[ -x "$linux" ] || { echo "no Linux program to compare with (CAPSARO_LINUX_PROGRAM)"; exit 77; }
work=$(mktemp -d /tmp/capsaro-render-same.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/linux" "$work/windows"
cp "$linux" "$work/linux/capsaro"
cp "$scr" "$work/windows/capsaro.scr"
failures=0
for mode in 1 2 3 4 layout; do
  place=(--size 320x240)
  if [ "$mode" = layout ]; then place=(--monitors 200x150+0+0,120x90+200+30 --motion 1); fi
  for side in linux windows; do
    printf '300\r\n0.4\r\n0\r\n1\r\n1\r\n1\r\n%s\r\n1\r\n' "${mode/layout/0}" >"$work/$side/Capsaro.cfg"
  done
  (cd "$work/linux" && ./capsaro --render "frames$mode" --frames 40 "${place[@]}" --seed 11)
  (cd "$work/windows" && wine ./capsaro.scr --render "frames$mode" --frames 40 "${place[@]}" --seed 11)
  differing=0
  for frame in "$work/linux/frames$mode"/*.png; do
    cmp -s "$frame" "$work/windows/frames$mode/$(basename "$frame")" || differing=$((differing + 1))
  done
  count=$(ls "$work/windows/frames$mode" 2>/dev/null | wc -l)
  if [ "$differing" -eq 0 ] && [ "$count" -eq 40 ]; then
    echo "ok: motion $mode, 40 frames identical"
  else
    echo "FAILED: motion $mode, $differing of 40 frames differ ($count written on Windows)"
    failures=$((failures + 1))
  fi
done
echo "$((5 - failures)) passed, $failures failed"
test $failures -eq 0

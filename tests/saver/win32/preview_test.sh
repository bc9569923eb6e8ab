#!/usr/bin/env bash
# The preview under Wine: a host program of the test's own (another process, a 152 x 112 area)
# starts "capsaro.scr /p <area>"; the area is drawn and moves; a click and a key change nothing;
# the preview ends within a second when the host destroys its window and when the host process
# ends without destroying it (20 rounds each); "/p 0" and "/p 12345" end at once.
# Usage: preview_test.sh CAPSARO_SCR HOST_WINDOW_EXE (DISPLAY and WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
host_exe=$(readlink -f "$2")
. "$(dirname "$0")/checks.sh"
# Hundreds of checks: only the failures are told.
CHECKS_QUIET=1
enter_work_folder preview-test "$scr"
# Waits up to $2 tenths of a second for process $1 to end; true when it did.
ends_within() {
  for _ in $(seq "$2"); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
colours_at() { # colours_at X Y: distinct colours in the 152 x 112 area at X,Y
  import -window root -crop "152x112+$1+$2" area.png 2>/dev/null
  convert area.png -format %k info: 2>/dev/null || echo 0
}

for handle in 0 12345; do
  wine ./capsaro.scr /p "$handle" &
  preview=$!
  check "/p $handle ends at once" ends_within $preview 30
  wait $preview 2>/dev/null
done

for how in destroy exit; do
  for round in $(seq 20); do
    # The first round of each kind looks at the picture; the others only at the ending.
    life=1500
    [ "$round" = 1 ] && life=4000
    rm -f host.txt
    wine "$host_exe" "$how" "$life" >host.txt 2>/dev/null &
    host=$!
    for _ in $(seq 50); do [ -s host.txt ] && break; sleep 0.1; done
    read -r area x y < <(tr -d "\r" <host.txt) || { check "the host prints its area" false; continue; }
    wine ./capsaro.scr /p "$area" >/dev/null 2>&1 &
    preview=$!
    if [ "$round" = 1 ]; then
      sleep 1.5
      first=$(colours_at "$x" "$y")
      cp area.png first.png
      check "the preview draws its area ($how: $first colours)" test "$first" -gt 20
      xdotool mousemove $((x + 70)) $((y + 50)) click 1 key a
      sleep 0.5
      check "a click and a key leave the preview running ($how)" kill -0 $preview
      colours_at "$x" "$y" >/dev/null
      check "the preview moves ($how)" bash -c "! cmp -s first.png area.png"
    fi
    wait $host
    check "the preview ends within a second of the host's $how (round $round)" ends_within $preview 10
    kill $preview 2>/dev/null
    wait $preview 2>/dev/null
  done
done

finish_checks

#!/usr/bin/env bash
# The preview under Wine: a host program of the test's own (another process, a 152 x 112 area)
# starts "capsaro.scr /p <area>"; the area is drawn and moves; a click and a key change nothing;
# the preview ends when the host destroys its window and when the host process ends without
# destroying it (20 rounds each); "/p 0" and "/p 12345" end by themselves.
# Usage: preview_test.sh CAPSARO_SCR HOST_WINDOW_EXE (DISPLAY and WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
host_exe=$(readlink -f "$2")
. "$(dirname "$0")/checks.sh"
# Hundreds of checks: only the failures are told.
CHECKS_QUIET=1
enter_work_folder preview-test "$scr"
colours_at() { # colours_at X Y: distinct colours in the 152 x 112 area at X,Y
  import -window root -crop "152x112+$1+$2" area.png 2>/dev/null
  convert area.png -format %k info: 2>/dev/null || echo 0
}
drawn_at() { test "$(colours_at "$1" "$2")" -gt 20; } # drawn_at X Y: the area shows the show
# area_changed X Y: the area no longer shows first.png.
area_changed() { import -window root -crop "152x112+$1+$2" area.png 2>/dev/null && ! cmp -s first.png area.png; }

for handle in 0 12345; do
  wine ./capsaro.scr /p "$handle" &
  preview=$!
  check "/p $handle ends by itself" ended $preview
  wait $preview 2>/dev/null
done

for how in destroy exit; do
  for round in $(seq 20); do
    # The first round of each kind looks at the picture, with a host that lives until told to
    # end (the file end-host); the others only at the ending, the host's window going 1.5 s
    # after it came, at some moment of the preview's start.
    life=1500
    [ "$round" = 1 ] && life=0
    rm -f host.txt end-host
    wine "$host_exe" "$how" "$life" >host.txt 2>/dev/null &
    host=$!
    poll_until test -s host.txt
    read -r area x y < <(tr -d "\r" <host.txt) || { check "the host prints its area" false; continue; }
    wine ./capsaro.scr /p "$area" >/dev/null 2>&1 &
    preview=$!
    if [ "$round" = 1 ]; then
      poll_until drawn_at "$x" "$y"
      first=$(colours_at "$x" "$y")
      cp area.png first.png
      check "the preview draws its area ($how: $first colours)" test "$first" -gt 20
      xdotool mousemove $((x + 70)) $((y + 50)) click 1 key a
      # Some time to react, then proof that it still draws.
      sleep 0.5
      check "the preview moves ($how)" poll_until area_changed "$x" "$y"
      check "a click and a key leave the preview running ($how)" kill -0 $preview
      touch end-host
    fi
    wait $host
    check "the preview ends after the host's $how (round $round)" ended $preview
    kill $preview 2>/dev/null
    wait $preview 2>/dev/null
  done
done

finish_checks

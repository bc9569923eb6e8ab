#!/usr/bin/env bash
# capsaro.scr on two monitors under Wine, on an X server and in a Wine prefix of the test's own:
# Xvfb with two Xinerama screens (1280x720 and 800x600, both placed at 0,0, as Wine reports them)
# and no RandR, so Wine sees two monitors. The platform names both, the primary (the larger) first,
# on a 1280x720 virtual screen, and "/s" covers that whole screen with a drawn show.
# Usage: several_monitors_test.sh CAPSARO_SCR MONITOR_REPORT_EXE FIND_WINDOW_EXE
set -uo pipefail
scr=$(readlink -f "$1")
report=$(readlink -f "$2")
find_window=$(readlink -f "$3")
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)
. "$(dirname "$0")/checks.sh"
enter_work_folder several-monitors "$scr"
. "$tools/xvfb.sh"
start_xvfb 221 250 +xinerama -extension RANDR -screen 0 1280x720x24 -screen 1 800x600x24
export DISPLAY="$display"
trap 'wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
own_wine_prefix

wine "$report" </dev/null | tr -d '\r' >report.txt
check "the platform measures the 1280 x 720 virtual screen" grep -qx 'screen 1280 720' report.txt
check "it names two monitors" test "$(grep -c '^monitor ' report.txt)" -eq 2
check "the primary first, then the other, both at the display's origin" \
  test "$(grep '^monitor ' report.txt | tr '\n' ';')" = 'monitor 0 0 1280 720;monitor 0 0 800 600;'
cat report.txt

wine ./capsaro.scr /s >out.txt 2>&1 </dev/null &
saver=$!
read -r x y w h < <(wine "$find_window" Capsaro $((liveness_seconds * 1000)) </dev/null | tr -d '\r')
check "/s covers the virtual screen ($x $y $w $h)" test "${x:-} ${y:-} ${w:-} ${h:-}" = "0 0 1280 720"
many_colours() { import -window root root.png 2>/dev/null && test "$(convert root.png -format %k info:)" -gt 100; }
check "it draws a show there" poll_until many_colours
xdotool key Escape
check "a key ends it" ended "$saver"

finish_checks

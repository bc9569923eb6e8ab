#!/usr/bin/env bash
# The full-screen saver on two monitors of different sizes (an Xorg of its own with the dummy
# driver and Xinerama, needing root): "/s" draws on both heads, each with its caption at its own
# foot, and ends on a key and on a 3-pixel move.
# Usage: two_heads_test.sh CAPSARO_PROGRAM XORG_CONFIG. Exits with 77 (skipped) without Xorg, its
# dummy driver or root.
set -uo pipefail
program=$(readlink -f "$1")
config=$(readlink -f "$2")
[ "$(id -u)" -eq 0 ] && command -v Xorg >/dev/null &&
  ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || { echo "needs root, Xorg and its dummy driver"; exit 77; }

work=$(mktemp -d /tmp/capsaro-two-heads.XXXXXX)
display=""
for n in $(seq 60 90); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
Xorg "$display" -config "$config" -noreset -nolisten tcp -logfile "$work/xorg.log" >/dev/null 2>&1 &
xorg=$!
trap 'kill $xorg 2>/dev/null; wait $xorg 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
cp "$program" "$work/capsaro"
cd "$work" || exit 1

source "$(dirname "$(readlink -f "$0")")/../../../support/checks.sh"
server_answers() { xdpyinfo >/dev/null 2>&1; }
check "the two-head server starts" poll_until server_answers
check "it has two heads side by side" bash -c "xdpyinfo -ext XINERAMA | grep -q 'head #1: 800x600 @ 1280,0'"

# colours X Y W H: distinct colours in that part of the screen.
colours() { import -window root -crop "$3x$4+$1+$2" +repage region.png 2>/dev/null && convert region.png -format %k info:; }
# red X Y W H: pixels of the caption's red in that part of the screen.
red() {
  import -window root -crop "$3x$4+$1+$2" +repage region.png 2>/dev/null
  convert region.png txt:- | grep -c '#FF0000'
}
# caption_centred_at X: the red of the first head's foot spans a stretch centred at X (within 8 pixels).
caption_centred_at() {
  import -window root -crop 1280x15+0+705 +repage region.png 2>/dev/null
  local span
  span=$(convert region.png txt:- | awk -F'[,:]' '/#FF0000/ {if (min == "" || $1 < min) min = $1; if ($1 > max) max = $1}
                                                   END {print min + 0, max + 0}')
  local left=${span% *} right=${span#* }
  [ "$right" -gt "$left" ] && [ $(((left + right) / 2 - $1)) -le 8 ] && [ $(((left + right) / 2 - $1)) -ge -8 ]
}
both_drawn() { [ "$(colours 0 0 1280 720)" -gt 100 ] && [ "$(colours 1280 0 800 600)" -gt 100 ]; }

./capsaro /s --names --count 40 >out.txt 2>&1 &
saver=$!
check "/s draws on both heads" poll_until both_drawn
# Each caption sits on the last 15 rows of its own head, and nowhere above them.
check "the first head's caption is at its foot" test "$(red 0 705 1280 15)" -gt 50
check "the second head's caption is at its foot" test "$(red 1280 585 800 15)" -gt 50
check "the first head's caption is centred on that head, not on the whole screen" caption_centred_at 640
import -window root screen.png 2>/dev/null
xdotool key a
check "a key ends it" ended $saver

./capsaro /s --count 40 >out.txt 2>&1 &
saver=$!
poll_until both_drawn
xdotool mousemove 600 300
sleep 1
xdotool mousemove_relative 3 0
check "a 3-pixel move ends it" ended $saver

finish_checks

#!/usr/bin/env bash
# capsaro.scr's drivers under Wine: with CAPSARO_DRIVER=gl, "/s" shows the chillies through WGL
# (Wine's GL log shows the saver swapping buffers) and a key ends it with status 0; without it,
# where GL is a CPU renderer (Wine's llvmpipe), GL is probed but the software driver shows them (no
# swaps). Usage: driver_scr_test.sh CAPSARO_SCR SHOT_FOLDER (DISPLAY and WINEPREFIX set); the
# screenshots are left in SHOT_FOLDER as gl.png and default.png for a person to look at.
set -uo pipefail
shots=$(readlink -f "$2")
mkdir -p "$shots"
. "$(dirname "$0")/checks.sh"
enter_work_folder driver-test "$1"

# run NAME SWAPS [VARIABLE=VALUE...]: "/s" with Wine's GL calls logged until a screenshot shows
# the drawn show and Wine's log more than SWAPS buffer swaps, then a key; leaves NAME.log and
# $shots/NAME.png, and the status in $status.
run() {
  local name=$1 swaps=$2
  shift 2
  xdotool mousemove 600 400
  env "$@" WINEDEBUG=-all,trace+wgl wine ./capsaro.scr /s >"$name.out" 2>"$name.log" &
  local saver=$!
  poll_until shows "$name" "$swaps"
  xdotool key space
  check "$name: a key ends it" ended $saver
  wait $saver
  status=$?
}

colours() { convert "$shots/$1.png" -format %k info: 2>/dev/null || echo 0; }
# shows NAME SWAPS: takes $shots/NAME.png; true when it holds a drawn show with chillies over part
# of the screen and NAME.log more than SWAPS swaps.
shows() {
  import -window root -crop 1920x1080+0+0 "$shots/$1.png" 2>/dev/null
  test "$(colours "$1")" -gt 100 && test "$(coloured "$1")" -gt 20000 &&
    test "$(grep -c wglSwapBuffers "$1.log")" -gt "$2"
}
# Chilli pixels: saturated colour, of whichever kinds the show picked (the background is black).
# Counted in awk: ImageMagick prints a count of a million or more in exponent form.
coloured() {
  convert "$shots/$1.png" -colorspace HSL -channel G -separate +channel -threshold 30% \
    -format '%[fx:mean] %w %h' info: 2>/dev/null | awk '{ printf "%d\n", $1 * $2 * $3 + 0.5 }' | grep . || echo 0
}

run gl 20 CAPSARO_DRIVER=gl
check "gl: ends with status 0" test "$status" -eq 0
check "gl: the screen shows a drawn show ($(colours gl) colours)" test "$(colours gl)" -gt 100
check "gl: chillies cover part of the screen ($(coloured gl) pixels)" test "$(coloured gl)" -gt 20000
check "gl: a 3.3 core context was made" grep -q wglCreateContextAttribsARB gl.log
swaps=$(grep -c wglSwapBuffers gl.log)
check "gl: frames were swapped ($swaps)" test "$swaps" -gt 20

run default -1
check "default: ends with status 0" test "$status" -eq 0
check "default: the screen shows a drawn show ($(colours default) colours)" test "$(colours default)" -gt 100
check "default: chillies cover part of the screen ($(coloured default) pixels)" test "$(coloured default)" -gt 20000
check "default: GL was probed" grep -q wglCreateContextAttribsARB default.log
check "default: the software driver drew (no swaps)" bash -c "! grep -q wglSwapBuffers default.log"

finish_checks

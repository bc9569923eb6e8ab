#!/usr/bin/env bash
# The full-screen saver on Wayland, under a headless sway of the test's own: "/s" covers two
# outputs of different sizes, the second at scale 2, each drawn at its own pixels with its caption
# at its foot; F12 saves a screenshot and ends it; a key, a 3-pixel move or a click ends it and a
# 1-pixel move does not; the OpenGL driver draws both outputs through EGL when CAPSARO_DRIVER=gl
# asks for it, and the software driver draws them otherwise (llvmpipe); swayidle starts it on idle; an output created while it runs is covered
# and one taken away leaves it running; the compositor's end ends it; and the program picks its
# host as it should.
# Usage: wayland_show_test.sh CAPSARO_PROGRAM VIRTUAL_POINTER_PROGRAM. Exits with 77 (skipped)
# without sway, grim and wtype.
set -uo pipefail
program=$(readlink -f "$1")
pointer=$(readlink -f "$2")
for tool in sway grim wtype swayidle swaymsg; do
  command -v $tool >/dev/null || { echo "needs $tool"; exit 77; }
done
source "$(dirname "$0")/../../support/headless_sway.sh"

work=$(mktemp -d /tmp/capsaro-wayland.XXXXXX)
chmod 755 "$work"
cp "$program" "$work/capsaro"
cd "$work" || exit 1
cleanup() { stop_sway; rm -rf "$work"; }

source "$(dirname "$(readlink -f "$0")")/../../support/checks.sh"
# colours OUTPUT: distinct colours on that output now.
colours() { grim -o "$1" shot.png 2>/dev/null && convert shot.png -format %k info:; }
drawn() { [ "$(colours "$1")" -gt 100 ]; }
# moving OUTPUT: two pictures of the output a moment apart differ.
moving() {
  grim -o "$1" a.png && sleep 0.3 && grim -o "$1" b.png &&
    [ "$(compare -metric AE a.png b.png null: 2>&1 | cut -d' ' -f1)" -gt 100 ]
}
# caption_rows OUTPUT: the rows of the output's last 30 that hold the caption's red.
caption_rows() {
  grim -o "$1" shot.png 2>/dev/null
  local height
  height=$(identify -format %h shot.png)
  convert shot.png -crop "x30+0+$((height - 30))" +repage txt:- |
    awk -F'[,:]' '/#FF0000/ {rows[$2] = 1} END {n = 0; for (r in rows) n++; print n}'
}
# exits_with STATUS PID: the process ends (within the bound) with that status.
exits_with() {
  ended "$2" || return 1
  wait "$2"
  [ $? -eq "$1" ]
}
# start_saver OPTIONS...: starts "/s" and returns once its show moves, so the show's loop runs
# (what arrives while the show starts up is dropped, as on every host).
start_saver() {
  ./capsaro /s "$@" >out.txt 2>&1 &
  saver=$!
  poll_until drawn HEADLESS-1 && poll_until moving HEADLESS-1
}

# A desktop of one known colour, for the copy behind the show.
start_sway "output * bg #2040C0 solid_color" || { cleanup; exit 1; }
trap cleanup EXIT
swaymsg create_output >/dev/null
swaymsg output HEADLESS-2 mode 800x600 position 1280 0 scale 2 >/dev/null

# ---- Host choice ----
check "--help names the Wayland host where the compositor offers the layer shell" \
  bash -c "./capsaro --help | grep -q 'shows on wayland'"
check "CAPSARO_HOST=x11 forces the X11 host" bash -c "CAPSARO_HOST=x11 ./capsaro --help | grep -q 'shows on x11'"
check "CAPSARO_HOST naming no host is refused" bash -c "CAPSARO_HOST=beos ./capsaro /s 2>&1 | grep -q 'not a host here'"
check "--root without an X display is refused with status 2" bash -c "./capsaro --root 2>/dev/null; [ \$? -eq 2 ]"
check "/p without an X display returns at once, quietly, with status 0" \
  bash -c "[ -z \"\$(timeout 20 ./capsaro /p 1234 2>&1)\" ] && timeout 20 ./capsaro /p 1234"

# ---- Two outputs ----
start_saver --names --count 60
check "/s draws on the first output" drawn HEADLESS-1
check "/s draws on the scale-2 output" poll_until drawn HEADLESS-2
check "the first output's show moves" moving HEADLESS-1
check "the scale-2 output's show moves" moving HEADLESS-2
grim -o HEADLESS-1 first.png; grim -o HEADLESS-2 second.png
check "the scale-2 output is drawn at its pixel size" test "$(identify -format %wx%h second.png)" = 800x600
rows1=$(caption_rows HEADLESS-1) rows2=$(caption_rows HEADLESS-2)
check "each output has its caption at its foot ($rows1 and $rows2 rows)" test "$rows1" -ge 8 -a "$rows2" -ge 8
check "the caption's glyphs are as high on the scale-2 output, not stretched" test "$rows1" -eq "$rows2" -a "$rows2" -le 16
check "a second /s returns at once while the first runs" timeout 20 ./capsaro /s
wtype -s 700 -k F12
check "F12 ends the show with status 0" exits_with 0 $saver
check "F12 printed the screenshot's line" grep -q "Screenshot saved as Capsaro000.png" out.txt
check "F12 wrote the screenshot of the whole display" test "$(identify -format %wx%h Capsaro000.png 2>/dev/null)" = 2080x720

start_saver --count 20
wtype -s 700 -k a
check "any key ends it" exits_with 0 $saver

# ---- The drawing driver ----
# gl_output OUTPUT SIZE: the run's diagnostics say that OUTPUT's EGL surface of SIZE pixels was
# drawn through a core context of GL 3.3 or later.
gl_output() {
  grep -E "^capsaro: output $1: $2 drawn through OpenGL [0-9]+\.[0-9]+ core " out.txt |
    awk '{split($8, v, "."); exit !(v[1] > 3 || (v[1] == 3 && v[2] >= 3))}'
}
rm -f Capsaro000.png
CAPSARO_DRIVER=gl CAPSARO_GL_DIAGNOSTICS=1 start_saver --names --count 60
check "CAPSARO_DRIVER=gl draws the show on the first output" drawn HEADLESS-1
check "CAPSARO_DRIVER=gl draws the show on the scale-2 output" poll_until drawn HEADLESS-2
check "the scale-2 output's GL show moves" moving HEADLESS-2
check "the first output is drawn through a GL 3.3 core context at its pixels" poll_until gl_output HEADLESS-1 1280x720
check "the scale-2 output is drawn through a GL 3.3 core context at its pixels" gl_output HEADLESS-2 800x600
check "the GL show on the scale-2 output is at its pixel size" test "$(grim -o HEADLESS-2 - | identify -format %wx%h -)" = 800x600
rows1=$(caption_rows HEADLESS-1) rows2=$(caption_rows HEADLESS-2)
check "GL draws each output's caption at its foot, as high on both ($rows1 and $rows2 rows)" \
  test "$rows1" -ge 8 -a "$rows1" -eq "$rows2" -a "$rows2" -le 16
wtype -s 700 -k F12
check "F12 ends the GL show with status 0" exits_with 0 $saver
check "F12 wrote the GL screenshot of the whole display" test "$(identify -format %wx%h Capsaro000.png 2>/dev/null)" = 2080x720
CAPSARO_DRIVER=gl start_saver --count 20
wtype -s 700 -k a
check "any key ends the GL show" exits_with 0 $saver
CAPSARO_GL_DIAGNOSTICS=1 start_saver --count 20
kill $saver; wait $saver 2>/dev/null
check "without CAPSARO_DRIVER llvmpipe is found and the software driver draws" \
  bash -c "grep -q '^capsaro: software driver (llvmpipe' out.txt && ! grep -q 'drawn through OpenGL' out.txt"

# blue OUTPUT: pixels of the desktop's colour on that output.
blue() { grim -o "$1" shot.png 2>/dev/null && convert shot.png -fill black +opaque '#2040C0' -fill white -opaque '#2040C0' -format '%[fx:int(mean*w*h)]' info:; }
poll_until bash -c "[ \$(grim -o HEADLESS-2 - | convert - -format %k info:) -le 3 ]"
start_saver --count 5 --desktop --no-names
check "the show is drawn over the copy of each output's desktop" \
  bash -c "[ \$($(declare -f blue); blue HEADLESS-1) -gt 600000 ] && [ \$($(declare -f blue); blue HEADLESS-2) -gt 300000 ]"
kill $saver; wait $saver 2>/dev/null

# One pointer device for every run below, made before the first starts: the seat has it when
# each run takes the seat's pointer.
mkfifo pointer.fifo
"$pointer" <pointer.fifo &
pointer_pid=$!
exec 3>pointer.fifo
start_saver --count 20
for step in "move 1 0" "move 1 0" "move 0 1"; do
  echo "$step" >&3
  sleep 0.3
done
sleep 1
check "1-pixel moves keep it" kill -0 $saver
echo "move 3 0" >&3
check "a 3-pixel move ends it" exits_with 0 $saver

start_saver --count 20
echo "move 1 0" >&3
sleep 0.3
echo "click" >&3
check "a click ends it" exits_with 0 $saver
exec 3>&-
wait $pointer_pid

# ---- Outputs that come, the idle daemon, the compositor's end ----
start_saver --count 20
swaymsg create_output >/dev/null
check "an output created while the show runs is covered" poll_until drawn HEADLESS-3
check "the new output's show moves" moving HEADLESS-3
# Disabling an output takes it away from clients: its surface closes with it, and the show goes
# on with the others.
swaymsg output HEADLESS-3 disable >/dev/null
sleep 1.5
check "an output taken away while the show runs leaves it running" kill -0 $saver
check "the show moves on the outputs that stay" moving HEADLESS-1
swaymsg output HEADLESS-3 enable >/dev/null
check "the output back again is covered again" poll_until drawn HEADLESS-3
kill $saver; wait $saver 2>/dev/null

swayidle -w timeout 1 "$PWD/capsaro /s --count 20 >idle.txt 2>&1" >/dev/null 2>&1 &
idle=$!
check "swayidle starts the show when the seat is idle" poll_until bash -c "pgrep -f '$PWD/capsaro /s' >/dev/null && [ \$(grim -o HEADLESS-1 - | convert - -format %k info:) -gt 100 ]"
pkill -f "$PWD/capsaro /s"
kill $idle 2>/dev/null; wait $idle 2>/dev/null

start_saver --count 20
stop_sway
check "the compositor's end ends the show with status 0" exits_with 0 $saver

finish_checks

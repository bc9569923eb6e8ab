#!/usr/bin/env bash
# capsaro.scr at 150 % (LogPixels 144, which Wine reads from HKCU\Control Panel\Desktop) in a Wine
# prefix and on an X server of the test's own: the program is DPI aware, so "/s" covers the
# 1920x1080 screen pixel for pixel, and the configuration window's 300x260 layout becomes a
# 450x390 client area centred on the screen, and on a settings page's window when it names one.
# Screenshots of the window's two tabs land beside the test (dialog-150-percent-about.png,
# dialog-150-percent-config.png).
# Usage: scaled_display_test.sh CAPSARO_SCR FIND_WINDOW_EXE SETTINGS_PAGE_EXE
set -uo pipefail
scr=$(readlink -f "$1")
find_window=$(readlink -f "$2")
settings_page=$(readlink -f "$3")
shots="$PWD"
tools=$(cd "$(dirname "$0")/../../../tools" && pwd)
. "$(dirname "$0")/checks.sh"
enter_work_folder scaled-display "$scr"
. "$tools/xvfb.sh"
start_xvfb 251 280
export DISPLAY="$display"
trap 'wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
own_wine_prefix 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144

# Starts the program with a switch; $place is then "X Y W H" of its window's client area, or empty.
started=0 place=""
start() { # start SWITCH
  wine ./capsaro.scr "$1" >out.txt 2>&1 </dev/null &
  started=$!
  place=$(wine "$find_window" Capsaro $((liveness_seconds * 1000)) </dev/null | tr -d '\r')
}

xdotool mousemove 600 400
start /s
check "/s covers the screen pixel for pixel ($place)" test "$place" = "0 0 1920 1080"
check "it draws a show there" poll_until shows_drawn_show
xdotool key Escape
check "a key ends it" ended "$started"

start /c
read -r x y w h <<<"${place:-0 0 0 0}"
check "the configuration window's client area is 450 x 390 ($w x $h)" test "$w $h" = "450 390"
check "it is centred on the screen ($x, $y)" test "$x $y" = "735 345"
# The window with its frame, once the first logo is drawn; then the Config tab (at 32,14 in the
# layout's units).
shot() { import -window root -crop "$((w + 20))x$((h + 50))+$((x - 10))+$((y - 40))" "$shots/$1" 2>/dev/null; }
sleep 2
shot dialog-150-percent-about.png
xdotool mousemove $((x + 48)) $((y + 21)) click 1
sleep 1
shot dialog-150-percent-config.png
xdotool mousemove $((x + w / 2)) $((y + 10)) key Escape
check "Escape closes it" ended "$started"

# The settings page's button opens the dialog centred on the page's window (whose rectangle the
# system gives in pixels, while the dialog is placed in 96-DPI units).
exec 3< <(wine "$settings_page" capsaro.scr 300000 </dev/null)
page_line() {
  local line=""
  IFS= read -r -t "$liveness_seconds" line <&3
  printf '%s' "${line%$'\r'}"
}
read -r left top right bottom <<<"$(page_line)"
page_line >/dev/null
read -r button_x button_y <<<"$(page_line)"
xdotool mousemove "$button_x" "$button_y" click 1
read -r x y w h < <(wine "$find_window" Capsaro $((liveness_seconds * 1000)) </dev/null | tr -d '\r')
# Centred within two pixels: the window's place is rounded to whole units of 1.5 pixels.
off_x=$((x + w / 2 - (left + right) / 2)) off_y=$((y + h / 2 - (top + bottom) / 2))
check "/c:<window> centres it on the page's window (off by $off_x, $off_y)" \
  test "${off_x#-}" -le 2 -a "${off_y#-}" -le 2 -a "$w" -eq 450
xdotool key Escape
wine taskkill /f /im settings_page.exe >/dev/null 2>&1
exec 3<&-

finish_checks

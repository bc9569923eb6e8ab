#!/usr/bin/env bash
# The configuration window of capsaro.scr under Wine, driven with xdotool on the test command's X
# server: its size and place, the About tab's changing logo, what Cancel, Escape, OK and Enter
# store, the count slider's arrow, the motion combo box, the keyboard's Tab and Space, and "/c:"
# started from a settings page's stand-in that also runs the preview, ended by a click on the page. Screenshots of both tabs
# land beside the test (dialog-about.png, dialog-config.png).
# Usage: dialog_test.sh CAPSARO_SCR FIND_WINDOW_EXE SETTINGS_PAGE_EXE (DISPLAY and WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
find_window=$(readlink -f "$2")
settings_page=$(readlink -f "$3")
shots="$PWD"
. "$(dirname "$0")/checks.sh"
enter_work_folder dialog-test "$scr"

printf '200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n' >stored.cfg
# The stored file with line N (1-based) replaced by VALUE, as a file of that name.
stored_with() { # stored_with N VALUE
  awk -v n="$1" -v v="$2" 'NR == n { print v "\r"; next } { print }' stored.cfg >"with-$1-$2.cfg"
  echo "with-$1-$2.cfg"
}

# Starts the dialog with the stored settings and waits for its window; x y w h are its client area.
x=0 y=0 w=0 h=0 dialog=0
start() { # start [SWITCH]
  cp stored.cfg Capsaro.cfg
  xdotool mousemove 5 5
  wine ./capsaro.scr "${1:-/c}" >out.txt 2>&1 &
  dialog=$!
  read -r x y w h < <(wine "$find_window" Capsaro $((liveness_seconds * 1000)) | tr -d '\r') || return 1
  # The first control takes the focus once the window is active.
  sleep 1
}
click() { # click X Y (in the client area)
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
  sleep 0.4
}
key() {
  xdotool key "$1"
  sleep 0.4
}
# True when the dialog ended by itself with status 0 (within the liveness bound); kills it otherwise.
ended() {
  if poll_until process_gone "$dialog"; then
    wait "$dialog"
    return
  fi
  kill "$dialog" 2>/dev/null
  wine taskkill /f /im capsaro.scr >/dev/null 2>&1
  return 1
}
file_is() { # file_is EXPECTED_FILE
  cmp -s "$1" Capsaro.cfg
}
crop() { # crop X Y W H FILE (client coordinates)
  import -window root -crop "$3x$4+$((x + $1))+$((y + $2))" "$5" 2>/dev/null
}

# Where things are in the client area (the tab control's page starts at 9,27 with Tahoma 8).
config_tab=(32 14)
first_checkbox=(25 74)
count_arrow_right=(259 174)
combo=(190 47)
combo_fall=(110 117)
ok=(185 242)
cancel=(260 242)

# Opening: size, place, About first with the logo drawn and alternating; Cancel stores nothing.
start
check "the window opens, titled Capsaro" test "$w" -gt 0
check "its client area is 300 x 260 ($w x $h)" test "$w $h" = "300 260"
check "it is centred on the screen ($x, $y)" test "$x $y" = "810 410"
crop -3 -22 306 285 "$shots/dialog-about.png"
logo_colours() { crop 20 40 100 100 logo.png && convert logo.png -format %k info: 2>/dev/null || echo 0; }
logo_shown() { test "$(logo_colours)" -gt 50; }
logo_changed() { crop 20 40 100 100 logo.png && ! cmp -s first-logo.png logo.png; }
poll_until logo_shown
colours=$(logo_colours)
check "About shows the logo ($colours colours)" test "$colours" -gt 50
cp logo.png first-logo.png
check "the logo changes" poll_until logo_changed
click "${config_tab[@]}"
click "${first_checkbox[@]}"
click "${cancel[@]}"
check "Cancel ends the dialog with status 0" ended
check "Cancel leaves the settings file as it was" file_is stored.cfg

# OK after ticking the first checkbox stores exactly that.
start
click "${config_tab[@]}"
click "${first_checkbox[@]}"
crop -3 -22 306 285 "$shots/dialog-config.png"
click "${ok[@]}"
check "OK ends the dialog" ended
check "OK stores UseDesktop 1 and nothing else" file_is "$(stored_with 3 1)"

# One click on the count slider's right arrow moves it by one; the click gives the slider the
# focus, and there End and Home move nothing.
start
click "${config_tab[@]}"
click "${count_arrow_right[@]}"
key End
key Home
key End
click "${ok[@]}"
check "the arrow's dialog ends" ended
check "an arrow click moves the count by one (200 to 201), End and Home not at all" file_is "$(stored_with 1 201)"

# Picking "Fall" in the motion combo box.
start
click "${config_tab[@]}"
click "${combo[@]}"
click "${combo_fall[@]}"
click "${ok[@]}"
check "the combo box's dialog ends" ended
check "picking Fall stores motion 4" file_is "$(stored_with 7 4)"

# Escape is Cancel.
start
click "${config_tab[@]}"
click "${first_checkbox[@]}"
key Escape
check "Escape ends the dialog" ended
check "Escape stores nothing" file_is stored.cfg

# The keyboard alone: the tabs have the focus, Left shows Config, Tab reaches the combo box and then
# the first checkbox, Space ticks it, Enter is OK.
start
for k in Left Tab Tab space Return; do key $k; done
check "Enter ends the dialog" ended
check "Tab, Space and Enter store UseDesktop 1" file_is "$(stored_with 3 1)"

# The settings page's stand-in: its preview area runs the show, its button opens the dialog
# centred on the page's window, and a click on the page ends the dialog.
cp stored.cfg Capsaro.cfg
exec 3< <(wine "$settings_page" capsaro.scr 300000)
page_line() { # the page's next line of output, without Wine's carriage return
  local line=""
  IFS= read -r -t "$liveness_seconds" line <&3
  printf '%s' "${line%$'\r'}"
}
read -r left top right bottom <<<"$(page_line)"
read -r area_x area_y <<<"$(page_line)"
read -r button_x button_y <<<"$(page_line)"
preview_colours() {
  import -window root -crop "152x112+$area_x+$area_y" preview.png 2>/dev/null
  convert preview.png -format %k info: 2>/dev/null || echo 0
}
preview_shown() { test "$(preview_colours)" -gt 20; }
poll_until preview_shown
colours=$(preview_colours)
check "the page's preview area shows the show ($colours colours)" test "$colours" -gt 20
xdotool mousemove "$button_x" "$button_y" click 1
read -r x y w h < <(wine "$find_window" Capsaro $((liveness_seconds * 1000)) | tr -d '\r')
check "the page's button opens the dialog" test "$w $h" = "300 260"
expected_x=$((left + (right - left - 300) / 2))
expected_y=$((top + (bottom - top - 260) / 2))
check "/c:<window> centres it on the page ($x, $y; expected $expected_x, $expected_y)" \
  test "$x $y" = "$expected_x $expected_y"
sleep 1
# A click into another program's window ends the dialog without storing.
click "${config_tab[@]}"
click "${first_checkbox[@]}"
xdotool mousemove $((left + 20)) $((bottom - 20)) click 1
check "a click on the page ends the dialog" poll_until bash -c "! wine '$find_window' Capsaro 0"
check "losing the focus stores nothing" file_is stored.cfg
wine taskkill /f /im settings_page.exe >/dev/null 2>&1
exec 3<&-

finish_checks

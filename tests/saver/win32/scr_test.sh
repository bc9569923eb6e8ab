#!/usr/bin/env bash
# capsaro.scr under Wine on the test command's X server: "/a" writes the default settings file,
# "/s" covers the screen, a 1-pixel move keeps it, a 3-pixel move ends it with status 0, F12
# writes an 8-bit RGB screenshot of the screen's size and says so, a second "/s" while one runs
# returns by itself, and a running flag another program set stays set.
# Usage: scr_test.sh CAPSARO_SCR RUNNING_FLAG_EXE (DISPLAY and WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
running_flag=$(readlink -f "$2")
. "$(dirname "$0")/checks.sh"
enter_work_folder scr-test "$scr"

process_gone_or_drawn() { process_gone "$1" || shows_new_drawn_show; }

wine ./capsaro.scr /a
check "/a exits with 0" test $? -eq 0
check "/a writes the 36-byte default file" test "$(printf '200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n')" = "$(cat Capsaro.cfg)"

# The options that show in an X window have none to show in here.
for option in --root "--window-id 0x400001"; do
  wine ./capsaro.scr $option >out.txt 2>err.txt </dev/null
  check "$option exits with status 2" test $? -eq 2
  check "$option says why in one line on standard error" \
    test "$(wc -l <err.txt)" -eq 1 -a "$(grep -c "^capsaro: ${option%% *} shows in an X window" err.txt)" -eq 1
  check "$option writes nothing on standard output" test ! -s out.txt
done
wine ./capsaro.scr --help >out.txt 2>&1 </dev/null
check "--help offers no X window modes" bash -c '! grep -q -e --root -e --window-id out.txt && grep -q -e --count out.txt' 

xdotool mousemove 600 400
wine ./capsaro.scr /s >out.txt 2>&1 &
saver=$!
poll_until shows_drawn_show
colours=$(screen_colours)
check "/s covers the screen with a drawn show ($colours colours)" test "$colours" -gt 100
wine ./capsaro.scr /s >second.txt 2>&1 &
second=$!
check "a second /s returns by itself" ended $second
xdotool mousemove_relative 1 0
# Some time to react, then proof that it still draws (so it has read its input since).
sleep 1
check "a 1-pixel move keeps it drawing" screen_changes
check "a 1-pixel move keeps it" kill -0 $saver
xdotool mousemove_relative 3 0
check "a 3-pixel move ends it" ended $saver
wait $saver
check "it ends with status 0" test $? -eq 0

# F12 saves the screen first; being a key, it then ends the saver.
note_screen
wine ./capsaro.scr /s >out.txt 2>&1 &
saver=$!
poll_until shows_new_drawn_show
xdotool key F12
poll_until grep -q "^Screenshot saved as Capsaro000.png" out.txt
check "F12 says so on standard output" grep -q "^Screenshot saved as Capsaro000.png" out.txt
check "F12 writes an 8-bit RGB picture of the screen's size" \
  bash -c "identify -format '%w %h %[bit-depth] %[channels]' Capsaro000.png | grep -q '^1920 1080 8 srgb'"
wait $saver
check "a key ends it with status 0" test $? -eq 0

# Another program has set the system's screen-saver-running flag: the saver leaves it set.
flag() { wine "$running_flag" "$@" </dev/null | tr -d '\r'; }
flag clear
check "the running flag reads clear before" test "$(flag get)" = 0
note_screen
wine ./capsaro.scr /s >out.txt 2>&1 &
saver=$!
poll_until shows_new_drawn_show
check "/s sets the running flag" test "$(flag get)" = 1
xdotool key space
check "a key ends it" ended $saver
check "it clears the flag it set" test "$(flag get)" = 0
flag set
note_screen
wine ./capsaro.scr /s >out.txt 2>&1 &
saver=$!
# Where the system reports the flag's state the saver returns at once; Wine does not, so it runs.
poll_until process_gone_or_drawn $saver
xdotool key space
check "with the flag set by another program, it ends" ended $saver
check "and leaves that program's flag set" test "$(flag get)" = 1
flag clear

finish_checks

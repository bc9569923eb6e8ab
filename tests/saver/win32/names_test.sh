#!/usr/bin/env bash
# capsaro.scr in folders named in other scripts, and in a drive's root, started from another
# folder: "/a" reads the stored settings beside it and leaves them as they are; F12 writes the
# screenshot beside the program, not into the folder it was started from; a folder named on the
# command line (--render's) is made under that name.
# Usage: names_test.sh CAPSARO_SCR (DISPLAY and WINEPREFIX set).
set -uo pipefail
scr=$(readlink -f "$1")
. "$(dirname "$0")/checks.sh"
enter_work_folder names-test "$scr"
export LC_ALL=C.UTF-8
stored=$(printf '77\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n')

# f12_lands_in FOLDER PROGRAM: /s started here as PROGRAM (a Windows path), F12 pressed; true when
# the screenshot is in FOLDER and not here.
f12_lands_in() {
  note_screen
  wine "$2" /s >out.txt 2>&1 &
  local saver=$!
  poll_until shows_new_drawn_show
  xdotool key F12
  ended $saver
  poll_until grep -q "^Screenshot saved as" out.txt
  test -f "$1/Capsaro000.png" && test ! -e Capsaro000.png
}

for name in café Привет; do
  mkdir "$name"
  cp capsaro.scr "$name/"
  printf '%s' "$stored" >"$name/Capsaro.cfg"
  wine "./$name/capsaro.scr" /a
  check "in $name, /a exits with 0" test $? -eq 0
  check "in $name, /a keeps the stored settings" test "$(cat "$name/Capsaro.cfg")" = "$stored"
  check "in $name, F12 writes beside the program" f12_lands_in "$name" "./$name/capsaro.scr"
  check "in $name, the stored settings are still there" test "$(cat "$name/Capsaro.cfg")" = "$stored"
  wine "./$name/capsaro.scr" --render "$name/frames" --frames 2 --size 32x24 --seed 1 >/dev/null 2>&1
  check "--render writes into $name/frames" test -f "$name/frames/frame0001.png"
done

# A drive of the test's own whose root holds the program.
mkdir root
cp capsaro.scr root/
drive=""
for letter in q r s t u v w x y; do
  if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ]; then drive=$letter; break; fi
done
if [ -n "$drive" ] && ln -s "$work/root" "$WINEPREFIX/dosdevices/$drive:"; then
  trap 'rm -f "$WINEPREFIX/dosdevices/$drive:"; rm -rf "$work"' EXIT
  check "in the root of $drive:, F12 writes beside the program" f12_lands_in root "$drive:\\capsaro.scr"
else
  check "a free drive letter for the drive test" false
fi

finish_checks

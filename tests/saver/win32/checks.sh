# Shared by the Windows program's shell tests (source it): the checks of every shell test, a work
# folder of the test's own with a copy of the program, the screen, and a Wine prefix of its own.
. "$(dirname "${BASH_SOURCE[0]}")/../../support/checks.sh"

# enter_work_folder NAME PROGRAM: a new folder under /tmp (removed at exit) holding the program
# as capsaro.scr; the shell moves into it and $work names it.
enter_work_folder() {
  work=$(mktemp -d "/tmp/capsaro-$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  cp "$2" "$work/capsaro.scr"
  cd "$work" || exit 1
}

# screen_colours: distinct colours on the whole screen now (leaves screen.png).
screen_colours() {
  import -window root -crop 1920x1080+0+0 screen.png 2>/dev/null
  convert screen.png -format %k info: 2>/dev/null || echo 0
}

# shows_drawn_show: true when the screen holds more than a hundred colours (a drawn show).
shows_drawn_show() {
  test "$(screen_colours)" -gt 100
}

# screen_changes: true once the screen differs from what it showed when called (the program
# behind it still draws new frames).
screen_changes() {
  import -window root -crop 1920x1080+0+0 before.png 2>/dev/null
  poll_until screen_differs
}
# note_screen, then shows_new_drawn_show: a drawn show that differs from what the screen showed at
# note_screen, so the last frame an ended saver left on the screen is not taken for a new one.
note_screen() { import -window root -crop 1920x1080+0+0 before.png 2>/dev/null; }
shows_new_drawn_show() { screen_differs && shows_drawn_show; }
screen_differs() { import -window root -crop 1920x1080+0+0 now.png 2>/dev/null && ! cmp -s before.png now.png; }

# own_wine_prefix: a Wine prefix of the test's own in $work/prefix, made as the suite's is (64-bit,
# windows unmanaged, the dialog fonts copied in), with its server and services running; extra
# settings go in before the first program as "wine reg" commands given as arguments
# (own_wine_prefix 'HKCU\...' /v NAME /t TYPE /d VALUE). The caller's exit trap runs wineserver -k.
own_wine_prefix() {
  export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wineboot -i >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  [ $# -eq 0 ] || wine reg add "$@" /f >/dev/null 2>&1 </dev/null
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    [ ! -f "/usr/share/wine/fonts/$font" ] || cp "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  wineserver -p
  wine wineboot >"$work/wineboot.log" 2>&1 </dev/null
}

#!/usr/bin/env bash
# The installer under Wine, in a prefix of its own: "/S" installs capsaro.scr into the system
# folder and makes it the current screen saver; the installed saver runs; the uninstaller ("/S")
# removes the program, its keys and itself, and keeps the user's settings.
# Usage: installer_test.sh CAPSARO_SETUP_EXE (DISPLAY set).
set -uo pipefail
setup=$(readlink -f "$1")
export WINEPREFIX=$(mktemp -d /tmp/capsaro-installer-test.XXXXXX)
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
wineboot -i >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
drive="$WINEPREFIX/drive_c"
. "$(dirname "$0")/checks.sh"
query() { wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' | awk -v name="$2" '$1 == name {print $3}'; }

wine "$setup" /S </dev/null
check "the silent install exits with 0" test $? -eq 0
check "capsaro.scr is in the system folder" test -f "$drive/windows/system32/capsaro.scr"
check "it is the current screen saver" test "$(query 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" = 'C:\windows\system32\capsaro.scr'
check "the screen saver is on" test "$(query 'HKCU\Control Panel\Desktop' ScreenSaveActive)" = 1
check "an uninstaller is registered" test -n "$(query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Capsaro' UninstallString)"

wine 'C:\windows\system32\capsaro.scr' /a </dev/null
check "the installed saver runs /a" test $? -eq 0
appdata="$drive/users/$(id -un)/AppData/Roaming"
mkdir -p "$appdata/Capsaro"
settings="$appdata/Capsaro/Capsaro.cfg"
printf '5\r\n' >"$settings"

wine 'C:\Program Files\Capsaro\uninstall.exe' /S '_?=C:\Program Files\Capsaro' </dev/null
check "the silent uninstall exits with 0" test $? -eq 0
# Files still open as the uninstaller ends (its own image, the saver just run) go a moment later.
missing() { [ ! -e "$1" ]; }
gone() { poll_until missing "$1"; }
check "the program is gone" gone "$drive/windows/system32/capsaro.scr"
check "the uninstaller and its folder are gone" gone "$drive/Program Files/Capsaro"
check "the screen-saver choice is taken back" test -z "$(query 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)"
check "the uninstall key is gone" test -z "$(query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Capsaro' DisplayName)"
check "the user's settings stay" test -f "$settings"

finish_checks

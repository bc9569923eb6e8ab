#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix (build-windows/wineprefix), made
# on first use: 64-bit, no Mono or Gecko, no menu entries written into the home folder, windows
# unmanaged (so hiding and destroying them never waits for a window manager). Every Wine call of
# the project goes through here, so none touches ~/.wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${CAPSARO_WINEPREFIX:-$here/build-windows/wineprefix}"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  wineserver -w
fi
# Wine reads fonts only from the prefix: Tahoma for dialogs, Marlett for the caption buttons.
for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
  if [ -f "/usr/share/wine/fonts/$font" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/$font" ]; then
    cp "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
done
exec wine "$@"

; The Windows installer of Capsaro: puts capsaro.scr into the system folder, makes it the current
; screen saver, and registers an uninstaller with Add/Remove Programs. /S installs silently.
; The user's settings (%APPDATA%\Capsaro) are never touched, not even by the uninstaller.
;
; makensis -DVERSION=1.02 -DSCR=<path of capsaro.scr> -DOUTFILE=<path of capsaro-setup.exe> capsaro.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION is not defined"
!endif
!ifndef SCR
  !error "SCR (the path of capsaro.scr) is not defined"
!endif
!ifndef OUTFILE
  !define OUTFILE "capsaro-setup.exe"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Capsaro"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Capsaro ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Capsaro"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Capsaro"
VIAddVersionKey "FileDescription" "Capsaro screen saver installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Capsaro"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Capsaro"
  ; The screen saver itself lives where the system's settings page looks for savers.
  SetOutPath "$SYSDIR"
  File "/oname=capsaro.scr" "${SCR}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The current user's screen saver becomes Capsaro.
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\capsaro.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Capsaro screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Capsaro"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\capsaro.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SYSDIR\capsaro.scr"

  ; Only a screen-saver choice that still names Capsaro is taken back.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCmp $0 "$SYSDIR\capsaro.scr" 0 kept
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "0"
  kept:

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

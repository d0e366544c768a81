; The Windows installer of Morvalen, built by scripts/windows-installer with makensis:
;   makensis -DVERSION=… -DROOT=folder -DOUTFILE=…setup.exe morvalen.nsi
; ROOT holds the installed tree; ROOT/../files.nsh and ROOT/../unfiles.nsh list its files (written by the script),
; so that the uninstaller removes exactly what the installer put there.
;
; Per user, without administrator rights: into %LOCALAPPDATA%\Programs\Morvalen, a Start-menu entry of the user, and
; the uninstaller listed under the user's Apps (HKCU). /S installs and uninstalls silently; /D=folder chooses
; another folder.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvalen"

Name "Morvalen ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Morvalen"
InstallDirRegKey HKCU "Software\Morvalen" "InstallDir"

!define MUI_ICON "${ROOT}/morvalen.ico"
!define MUI_UNICON "${ROOT}/morvalen.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\morvalen.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Morvalen"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Morvalen 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Morvalen"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Morvalen"
  !include "${ROOT}/../files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Morvalen.lnk" "$INSTDIR\morvalen.exe" "" "$INSTDIR\morvalen.ico" 0
  WriteRegStr HKCU "Software\Morvalen" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Morvalen ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Morvalen"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morvalen.ico"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Morvalen.lnk"
  !include "${ROOT}/../unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an emptied folder goes: whatever the user kept in it stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Morvalen"
  ; The window's settings (the language chosen), the one file it writes.
  Delete "$APPDATA\Morvalen\Morvalen.ini"
  RMDir "$APPDATA\Morvalen"
SectionEnd

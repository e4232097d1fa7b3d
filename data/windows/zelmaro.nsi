; The Windows installer: Zelmaro for the current user, without administrator rights.
; Built by CMake (cmake/windows-packages.cmake) with makensis, which defines VERSION (x.y.z),
; PROGRAM (the zelmaro.exe to ship), ICON and OUTFILE.
;
; Installs $LOCALAPPDATA\Programs\Zelmaro\zelmaro.exe and uninstall.exe, a Start menu entry,
; the uninstaller's entry among the user's apps, and (an option, on unless /NOAUTOSTART) the
; Run value that starts Zelmaro at sign-in, the one "zelmaro.exe --autostart on" writes. The
; uninstaller removes all of that; the colour setting stays unless asked (a box to tick, or
; /REMOVESETTINGS). Both run silently with /S.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelmaro"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quenlark\Zelmaro_Set"
; The program holds this mutex while it runs (one copy per sign-in).
!define RUNNING_MUTEX "Local\Zelmaro"

Name "Zelmaro"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelmaro"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Zelmaro ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Zelmaro"
VIAddVersionKey /LANG=1033 "CompanyName" "Quenlark"
VIAddVersionKey /LANG=1033 "FileDescription" "Zelmaro setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quenlark"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelmaro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zelmaro now"
!define MUI_FINISHPAGE_TEXT "Zelmaro is installed. It lives in the notification area of the taskbar: double-click its icon to open its window, right-click it for the colours and Exit."

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed: a running Zelmaro must end first. Silently, the
; setup gives up (exit status 2) rather than leave a half-done job.
!macro WAIT_UNTIL_NOT_RUNNING
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Zelmaro is running. End it (right-click its icon in the notification area, then $\"Exit Zelmaro$\") and choose Retry." \
      /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

Section "Zelmaro" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=zelmaro.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Zelmaro.lnk" "$INSTDIR\zelmaro.exe" "" "$INSTDIR\zelmaro.exe" 0 \
    SW_SHOWNORMAL "" "Shows how busy the processors are, in the notification area"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Zelmaro"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "Quenlark"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\zelmaro.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Zelmaro at sign-in" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Zelmaro" '"$INSTDIR\zelmaro.exe"'
SectionEnd

; Left unticked: no start at sign-in from this copy.
Section "-NoAutostart"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    ReadRegStr $0 HKCU "${RUN_KEY}" "Zelmaro"
    ${If} $0 == '"$INSTDIR\zelmaro.exe"'
      DeleteRegValue HKCU "${RUN_KEY}" "Zelmaro"
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOAUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
  !insertmacro WAIT_UNTIL_NOT_RUNNING
FunctionEnd

Section "un.Zelmaro" SecUnProgram
  SectionIn RO
  Delete "$INSTDIR\zelmaro.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The user's programs folder, made on demand (by the setup, when Zelmaro was the first), when
  ; nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\Zelmaro.lnk"
  ; The start at sign-in of this copy, whether the setup or "--autostart on" made it; one of a
  ; copy elsewhere stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Zelmaro"
  ${If} $0 == '"$INSTDIR\zelmaro.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "Zelmaro"
  ${EndIf}
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd

Section /o "un.Remove my colour setting" SecUnSettings
  DeleteRegValue HKCU "${SETTINGS_KEY}" "Color"
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Quenlark"
SectionEnd

Function un.onInit
  SetShellVarContext current
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecUnSettings}
  ${EndIf}
  !insertmacro WAIT_UNTIL_NOT_RUNNING
FunctionEnd

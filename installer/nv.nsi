; The Norvexa installer: per machine into Program Files, a Start-menu shortcut for all users, the
; Group Policy templates beside the program, an optional start with Windows in the notification
; area, and an uninstaller registered in Add/Remove Programs.
; makensis -DVERSION=3.2.0.N -DTITLE=<main window's title> -DBINARIES=<folder of nv.exe, its DLLs
; and the templates in policy\> -DOUTFILE=<setup.exe>
;
; Silent: nv-setup.exe /S [/STARTUP=0|1] [/D=C:\Some Dir], /D= last and unquoted;
; uninstall.exe /S [/REMOVESETTINGS].
Unicode true
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"
!include "Sections.nsh"

!define PRODUCT "Norvexa"
!define COMPANY "Dravok"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvexa"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Dravok\nv"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!define MUI_ICON "${BINARIES}\nv.ico"
!define MUI_UNICON "${BINARIES}\nv.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\nv.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Norvexa"
!insertmacro MUI_PAGE_LICENSE "${BINARIES}\README.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Norvexa" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR\policy\en-US"
  File "${BINARIES}\policy\en-US\norvexa.adml"
  SetOutPath "$INSTDIR\policy"
  File "${BINARIES}\policy\norvexa.admx"
  SetOutPath "$INSTDIR"
  File "${BINARIES}\nv.exe"
  File "${BINARIES}\nvc.exe"
  File "${BINARIES}\vxclean.dll"
  File "${BINARIES}\vxerase.dll"
  File "${BINARIES}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\nv.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\nv.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  ; An upgrade that leaves the start with Windows out takes away the one installed before.
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
SectionEnd

Section "Start Norvexa with Windows" SecStartup
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\nv.exe" /tray'
SectionEnd

; A running copy holds the program's mutex; the installer does not replace its files.
; /STARTUP=0 leaves the start with Windows out, /STARTUP=1 puts it in, as without the switch.
Function .onInit
  SetRegView 32
  System::Call 'kernel32::OpenMutex(i 0x100000, i 0, t "Norvexa") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONSTOP "Norvexa is running. Please close it and start the setup again." /SD IDOK
    Abort
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/STARTUP=" $2
  ${IfNot} ${Errors}
    ${If} $2 == "0"
      SectionSetFlags ${SecStartup} 0
    ${ElseIf} $2 == "1"
      SectionSetFlags ${SecStartup} ${SF_SELECTED}
    ${Else}
      MessageBox MB_OK|MB_ICONSTOP "/STARTUP takes 0 or 1, not $\"$2$\"." /SD IDOK
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; The program ends when its main window is closed; a copy that does not close in time is ended.
Function un.EndRunningCopy
  FindWindow $0 "#32770" "${TITLE}"
  ${If} $0 <> 0
    MessageBox MB_OKCANCEL|MB_ICONQUESTION "Norvexa is running. Close it and uninstall?" /SD IDOK IDOK close
    Abort
    close:
    SendMessage $0 ${WM_CLOSE} 0 0
    Sleep 1000
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetRegView 32
  SetShellVarContext all
  Call un.EndRunningCopy
  Delete "$INSTDIR\nv.exe"
  Delete "$INSTDIR\nvc.exe"
  Delete "$INSTDIR\vxclean.dll"
  Delete "$INSTDIR\vxerase.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\policy\en-US\norvexa.adml"
  RMDir "$INSTDIR\policy\en-US"
  Delete "$INSTDIR\policy\norvexa.admx"
  RMDir "$INSTDIR\policy"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Kept unless the person says otherwise; a silent uninstall keeps them too, unless it is given
  ; /REMOVESETTINGS.
  ${GetParameters} $1
  ${GetOptions} $1 "/REMOVESETTINGS" $2
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "Keep your settings and user-defined items?" /SD IDYES IDYES done
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Dravok"
  done:
SectionEnd

; Vantrel's installer. Built by scripts/package.sh, which passes
;   VERSION    the version, as the version resource says it
;   BUILD_DIR  the build folder: Vantrel.exe, Sched.dll, Lang\, HLP\Hlp.chm
;   OUT_FILE   the installer to write
;
; Switches of the uninstaller, for a silent run (/S), where nobody is asked:
;   /REMOVETASKS     also remove the scheduled tasks Vantrel made
;   /REMOVESETTINGS  also remove the settings: the program's own
;                    (HKCU\Software\Korvex\Vantrel, and HKCU\Software\Korvex
;                    when nothing else is left in it) and the stored
;                    algorithms (HKCU\Software\Vantrel)
; Without them a silent uninstall keeps both. Answering Yes to the
; uninstaller's questions does the same as the switches.
;
; One installation for every user of the machine, made by an administrator:
; the program under Program Files (on 64-bit Windows the 32-bit one,
; "Program Files (x86)"), the shortcuts in every user's Start menu. The
; program and its component are 32-bit, so on 64-bit Windows everything
; stays in the 32-bit views the system keeps for them: $SYSDIR is SysWOW64
; for this installer, and its registry writes go to the 32-bit view, where
; the program and scripts of 32-bit hosts look for the component.

Unicode true
!include "MUI2.nsh"
!include "FileFunc.nsh"

!ifndef VERSION | BUILD_DIR | OUT_FILE
  !error "VERSION, BUILD_DIR and OUT_FILE must be defined (scripts/package.sh does)"
!endif

!define PRODUCT "Vantrel"
!define COMPANY "Plinkor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
; The stored algorithms.
!define ALGORITHMS_KEY "Software\Vantrel"
; Every other setting (Method, Language, FirstRun, ...), under the company's key,
; which other products of the company may share.
!define COMPANY_KEY "Software\Korvex"
!define SETTINGS_KEY "${COMPANY_KEY}\Vantrel"
!define COMPONENT_CLSID "{CD06F30A-1794-4862-AA8A-3D87A446AC11}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestSupportedOS all
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext all
  SetRegView 32
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 32
FunctionEnd

Section "Vantrel (required)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}\Vantrel.exe"
  SetOutPath "$INSTDIR\HLP"
  File "${BUILD_DIR}\HLP\Hlp.chm"
  ; English is every other pack's fallback, so it always ships.
  SetOutPath "$INSTDIR\Lang"
  File "${BUILD_DIR}\Lang\English.ini"
  File "${BUILD_DIR}\Lang\English.bmp"

  ; The scheduling component lives in the system folder, registered; both
  ; the 32-bit ones on 64-bit Windows, as a 32-bit component must.
  SetOutPath "$SYSDIR"
  ClearErrors
  File "${BUILD_DIR}\Sched.dll"
  RegDLL "$SYSDIR\Sched.dll"
  IfErrors 0 +2
    DetailPrint "The scheduling component could not be registered."

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Vantrel.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\HLP\Hlp.chm"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

SectionGroup "Languages" SecLanguages
  Section "German" SecGerman
    SetOutPath "$INSTDIR\Lang"
    File "${BUILD_DIR}\Lang\German.ini"
    File "${BUILD_DIR}\Lang\German.bmp"
  SectionEnd
  Section "French" SecFrench
    SetOutPath "$INSTDIR\Lang"
    File "${BUILD_DIR}\Lang\French.ini"
    File "${BUILD_DIR}\Lang\French.bmp"
  SectionEnd
SectionGroupEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its help file, the English texts and the scheduling component."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecLanguages} "Further languages for the program's texts."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecGerman} "German texts."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecFrench} "French texts."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  ${GetParameters} $R0

  ; The tasks go first, while the component that holds them is still there.
  StrCpy $R1 "no"
  ClearErrors
  ${GetOptions} $R0 "/REMOVETASKS" $R2
  IfErrors +2 0
    StrCpy $R1 "yes"
  StrCmp $R1 "yes" removeTasks
  IfSilent keepTasks
  MessageBox MB_YESNO|MB_ICONQUESTION "Remove the scheduled tasks that ${PRODUCT} made?" /SD IDNO IDNO keepTasks
  removeTasks:
    InitPluginsDir
    SetOutPath "$PLUGINSDIR"
    File "RemoveTasks.js"
    ; The 32-bit script host (SysWOW64's on 64-bit Windows), which finds
    ; the 32-bit component.
    nsExec::ExecToLog '"$SYSDIR\cscript.exe" //nologo "$PLUGINSDIR\RemoveTasks.js"'
    Pop $R3
    DetailPrint "Removing the scheduled tasks: $R3"
    SetOutPath "$TEMP"
  keepTasks:

  UnRegDLL "$SYSDIR\Sched.dll"
  Delete "$SYSDIR\Sched.dll"
  ; A component that does not unregister itself must not be left behind.
  DeleteRegKey HKCR "CLSID\${COMPONENT_CLSID}"
  DeleteRegKey HKCR "TaskScheduler.Schedule"

  Delete "$INSTDIR\Vantrel.exe"
  Delete "$INSTDIR\log.txt"
  Delete "$INSTDIR\HLP\Hlp.chm"
  RMDir "$INSTDIR\HLP"
  Delete "$INSTDIR\Lang\English.ini"
  Delete "$INSTDIR\Lang\English.bmp"
  Delete "$INSTDIR\Lang\German.ini"
  Delete "$INSTDIR\Lang\German.bmp"
  Delete "$INSTDIR\Lang\French.ini"
  Delete "$INSTDIR\Lang\French.bmp"
  RMDir "$INSTDIR\Lang"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  StrCpy $R1 "no"
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R2
  IfErrors +2 0
    StrCpy $R1 "yes"
  StrCmp $R1 "yes" removeSettings
  IfSilent keepSettings
  MessageBox MB_YESNO|MB_ICONQUESTION "Remove ${PRODUCT}'s settings as well?" /SD IDNO IDNO keepSettings
  removeSettings:
    DeleteRegKey HKCU "${ALGORITHMS_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    ; The company's key goes only when nothing of another product is left in
    ; it: /ifempty would still take its values, so it must have no subkey and
    ; no value (EnumRegValue fails on the first), and exist at all.
    ClearErrors
    EnumRegKey $R3 HKCU "${COMPANY_KEY}" 0
    IfErrors keepSettings
    StrCmp $R3 "" 0 keepSettings
    ClearErrors
    EnumRegValue $R3 HKCU "${COMPANY_KEY}" 0
    IfErrors 0 keepSettings
    DeleteRegKey HKCU "${COMPANY_KEY}"
  keepSettings:
SectionEnd

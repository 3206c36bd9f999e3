; The setup of Brivo Plug-in Manager: a per-machine install into the 32-bit
; Program Files folder "Brivo Plug-in Manager", a Start-menu shortcut (and a
; desktop one when ticked), the entry in the list of installed programs and
; an uninstaller that keeps the user's settings unless asked to remove them.
;
; scripts/package stages the files and runs makensis with these defines:
;   TARGET     x86-unicode (the shipped setup) or amd64-unicode
;   VERSION    the four-part version, e.g. 1.0.2.50
;   STAGE      folder holding BrivoPM.exe, bpmcli.exe and Languages\
;   GENERATED  folder holding Files.nsh, UninstallFiles.nsh, Languages.nsh
;   ICON       the program icon
;   OUTFILE    the setup to write
;
; Both the setup and the uninstaller take /S (silent). Silent setups install
; no desktop shortcut unless given /DESKTOP; silent uninstalls keep the
; settings unless given /REMOVESETTINGS.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin
; The uninstaller is written during the build, its file times are the staged ones.
SetDateSave on

!define PRODUCT "Brivo Plug-in Manager"
!define PUBLISHER "Brivo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BrivoPM"
!define SETTINGS_FOLDER "Brivo Plugin Manager"
!define CACHE_FOLDER "UpdateInfo"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The language chosen in the setup is also the uninstaller's.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\BrivoPM.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; One MUI_LANGUAGE per shipped language file, English first (the fallback).
!include "${GENERATED}/Languages.nsh"
!insertmacro MUI_RESERVEFILE_LANGDLL
!include "Strings.nsh"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "BrivoPM-Setup-${VERSION}.exe"

Section "!$(SecProgram)" SecProgram
  SectionIn RO
  SetShellVarContext all
  SetRegView 32

  ; An earlier version (or this one again) is removed by its own uninstaller
  ; first, so no file of it stays behind; the user's settings stay.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    DetailPrint "$(RemovingPrevious)"
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  SetOutPath "$INSTDIR"
  !include "${GENERATED}/Files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\BrivoPM.exe" "" "$INSTDIR\BrivoPM.exe" 0

  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\BrivoPM.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "$(SecDesktop)" SecDesktop
  SetShellVarContext all
  CreateShortCut "$DESKTOP\${SHORTCUT}" "$INSTDIR\BrivoPM.exe" "" "$INSTDIR\BrivoPM.exe" 0
SectionEnd

Section "!un.$(SecUnProgram)" SecUnProgram
  SectionIn RO
  SetShellVarContext all
  SetRegView 32
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  ; Only the files this version installed: a language file the user added
  ; to Languages\ keeps its folder.
  !include "${GENERATED}/UninstallFiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The settings file, its journal folder beside it and the cache belong to the
; user who runs the uninstaller.
Section /o "un.$(SecUnSettings)" SecUnSettings
  SetShellVarContext current
  RMDir /r "$APPDATA\${SETTINGS_FOLDER}"
  RMDir /r "$APPDATA\${CACHE_FOLDER}"
SectionEnd

; Silent setups choose their parts on the command line: /DESKTOP adds the
; desktop shortcut, and the uninstaller's /REMOVESETTINGS removes the
; settings, the journal and the cache too.
Function .onInit
  ; The uninstall entry lives where a 32-bit program writes it, whatever
  ; this setup's own word size.
  SetRegView 32
  ; Without /D: an earlier install's folder, else the 32-bit Program Files.
  ${If} $INSTDIR == "$PROGRAMFILES32\${PRODUCT}"
!if "${TARGET}" == "amd64-unicode"
    ; A 64-bit build of this script (the install test on machines that run
    ; no 32-bit programs) installs to the same folder as the shipped setup.
    ReadEnvStr $0 "ProgramFiles(x86)"
    ${If} $0 != ""
      StrCpy $INSTDIR "$0\${PRODUCT}"
    ${EndIf}
!endif
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/DESKTOP" $2
  ${IfNot} ${Errors}
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 32
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/REMOVESETTINGS" $2
  ${IfNot} ${Errors}
    SectionSetFlags ${SecUnSettings} ${SF_SELECTED}
  ${EndIf}
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

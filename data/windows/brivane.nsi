; The Windows installer of Brivane: brivane-cli.exe with its Cache and Demo folders in
; one per-machine folder, and an uninstall record under the product's own key, so the
; program lists itself among the installed applications.
;
; scripts/package-windows builds it; it defines
;   BRIVANE_VERSION  the program's version ("2016.05.11")
;   BRIVANE_BUILD    its build number ("12")
;   BRIVANE_SOURCE   the folder holding brivane-cli.exe, Cache and Demo
;   BRIVANE_OUTPUT   the installer to write
;
; "/silent" (how the self-updater starts a new version) installs without a question, like
; NSIS's own /S.

!ifndef BRIVANE_VERSION | BRIVANE_BUILD | BRIVANE_SOURCE | BRIVANE_OUTPUT
  !error "Define BRIVANE_VERSION, BRIVANE_BUILD, BRIVANE_SOURCE and BRIVANE_OUTPUT (scripts/package-windows does)"
!endif

; The program is 64-bit only, so is its installer: it runs where the program runs, and
; sees the 64-bit registry and Program Files without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS Win10

!define PRODUCT "Brivane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivane"
!define UNINSTALLER "uninstall.exe"
!define PROGRAM "brivane-cli.exe"

Name "${PRODUCT}"
OutFile "${BRIVANE_OUTPUT}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A new version (the self-updater's) goes where the installed one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${__FILEDIR__}\brivane.ico"
!define MUI_UNICON "${__FILEDIR__}\brivane.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(FinishText)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for a system that speaks neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString WelcomeText ${LANG_ENGLISH} "Brivane keeps the programs on this computer up to date: it finds the installed ones, asks their publishers for the newest versions, and downloads and starts the updates you choose.$\r$\n$\r$\nThis will install Brivane ${BRIVANE_VERSION} (build ${BRIVANE_BUILD}).$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_RUSSIAN} "Brivane следит за тем, чтобы программы на этом компьютере были обновлены: находит установленные, узнаёт у их издателей последние версии, скачивает и запускает выбранные вами обновления.$\r$\n$\r$\nБудет установлена программа Brivane ${BRIVANE_VERSION} (сборка ${BRIVANE_BUILD}).$\r$\n$\r$\n$_CLICK"
LangString FinishText ${LANG_ENGLISH} "Brivane is installed in $INSTDIR.$\r$\n$\r$\nTo see which of your programs have updates, run $\"brivane-cli check$\" in a command prompt in that folder; $\"brivane-cli --help$\" lists every command."
LangString FinishText ${LANG_RUSSIAN} "Программа Brivane установлена в папку $INSTDIR.$\r$\n$\r$\nЧтобы узнать, для каких программ есть обновления, откройте в этой папке командную строку и выполните «brivane-cli check»; все команды перечислит «brivane-cli --help»."
LangString ProgramRunning ${LANG_ENGLISH} "Brivane, installed in $INSTDIR, is still running.$\r$\n$\r$\nClose it and click Retry."
LangString ProgramRunning ${LANG_RUSSIAN} "Программа Brivane, установленная в папке $INSTDIR, ещё работает.$\r$\n$\r$\nЗакройте её и нажмите «Повторить»."
LangString Branding ${LANG_ENGLISH} "Brivane ${BRIVANE_VERSION} build ${BRIVANE_BUILD}"
LangString Branding ${LANG_RUSSIAN} "Brivane ${BRIVANE_VERSION}, сборка ${BRIVANE_BUILD}"
BrandingText "$(Branding)"

VIProductVersion "${BRIVANE_VERSION}.${BRIVANE_BUILD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${BRIVANE_VERSION} build ${BRIVANE_BUILD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${BRIVANE_VERSION}.${BRIVANE_BUILD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PRODUCT}"

; Silent when the command line holds "/silent" (any letter case) on its own.
!macro SilentOnRequest
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/silent" $R1
  ${IfNot} ${Errors}
  ${AndIf} $R1 == ""
    SetSilent silent
  ${EndIf}
!macroend

; A running brivane-cli.exe cannot be replaced or removed. The self-updater starts the new
; installer just before the program ends, so wait a few seconds for it; then ask, and a
; silent run fails, rather than leave the old program behind and report success.
!macro WaitForProgramFunction UN
  Function ${UN}WaitForProgram
    StrCpy $R1 0
    ${DoWhile} ${FileExists} "$INSTDIR\${PROGRAM}"
      ClearErrors
      FileOpen $R0 "$INSTDIR\${PROGRAM}" a
      ${IfNot} ${Errors}
        FileClose $R0
        ${Break}
      ${EndIf}
      IntOp $R1 $R1 + 1
      ${If} $R1 > 20
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
        Abort
        retry:
        StrCpy $R1 0
      ${EndIf}
      Sleep 250
    ${Loop}
  FunctionEnd
!macroend
!insertmacro WaitForProgramFunction ""
!insertmacro WaitForProgramFunction "un."

Function .onInit
  !insertmacro SilentOnRequest
  SetRegView 64
FunctionEnd

Section "Brivane"
  Call WaitForProgram
  SetOutPath "$INSTDIR"
  ; The Cache and Demo folders are the program's own: a new version replaces them whole,
  ; so no file of an older one stays behind.
  RMDir /r "$INSTDIR\Cache"
  RMDir /r "$INSTDIR\Demo"
  ClearErrors
  File "${BRIVANE_SOURCE}/${PROGRAM}"
  ; "File /r FOLDER" would take every file or folder of that name anywhere below the
  ; build folder (object folders included); the folders' contents are named instead.
  SetOutPath "$INSTDIR\Cache"
  File /r "${BRIVANE_SOURCE}/Cache/*"
  SetOutPath "$INSTDIR\Demo"
  File /r "${BRIVANE_SOURCE}/Demo/*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; A file that cannot be written asks the user; a silent run would pass over it and
  ; report success with a broken program, so it fails instead (exit code 2).
  ${If} ${Errors}
  ${AndIf} ${Silent}
    Abort
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${BRIVANE_VERSION}.${BRIVANE_BUILD}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; The uninstaller carries the program's icon.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro SilentOnRequest
  SetRegView 64
FunctionEnd

; Only what the installer laid out goes, so a folder chosen by hand that holds other files
; keeps them.
Section "Uninstall"
  Call un.WaitForProgram
  Delete "$INSTDIR\${PROGRAM}"
  RMDir /r "$INSTDIR\Cache"
  RMDir /r "$INSTDIR\Demo"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The Windows installer (NSIS 3, Unicode), built by scripts/windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=<version> -DSOURCE=<installed folder>
;            -DICON=<tarvelo.ico> -DOUTFILE=<setup.exe> tarvelo.nsi
; Installs the folder `cmake --install` made (both programs, help/,
; examples/) into Program Files\Tarvelo, adds the Start-menu entry, puts the
; folder on the system PATH so that tarvelo-cli runs from any console, and
; registers the uninstaller with Windows' list of programs.

; A 64-bit installer for the 64-bit programs (it also runs under wine64
; without the 32-bit wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include StrFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Tarvelo"
!define MENU_NAME "Tarvelo 曲线放样计算"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvelo"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

Name "${MENU_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tarvelo"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${MENU_NAME}"
VIAddVersionKey /LANG=2052 "FileDescription" "${MENU_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Tarvelo developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvelo.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

${StrStr}
${UnStrRep}

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Tarvelo" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${MENU_NAME}.lnk" "$INSTDIR\tarvelo.exe" "" "$INSTDIR\tarvelo.ico" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${MENU_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tarvelo developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvelo.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; tarvelo-cli from any console: the folder joins the system PATH, unless
  ; it is there already. A PATH too long for the installer's strings is left
  ; untouched rather than written back cut off.
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  StrLen $1 "$0;$INSTDIR"
  ${If} $1 >= ${NSIS_MAX_STRLEN}
    DetailPrint "系统 PATH 太长，未加入 $INSTDIR；请手动加入后在命令行中使用 tarvelo-cli。"
  ${Else}
    ${StrStr} $2 ";$0;" ";$INSTDIR;"
    ${If} $2 == ""
      ${If} $0 == ""
        StrCpy $0 "$INSTDIR"
      ${Else}
        StrCpy $0 "$0;$INSTDIR"
      ${EndIf}
      WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
      WriteRegDWORD HKLM "${UNINSTALL_KEY}" "AddedToPath" 1
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
    ${EndIf}
  ${EndIf}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ReadRegDWORD $3 HKLM "${UNINSTALL_KEY}" "AddedToPath"
  ${If} $3 == 1
    ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
    StrLen $1 $0
    ${If} $1 < ${NSIS_MAX_STRLEN}
      ${If} $0 == "$INSTDIR"
        StrCpy $0 ""
      ${Else}
        ${UnStrRep} $0 $0 ";$INSTDIR" ""
      ${EndIf}
      WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
      SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
    ${EndIf}
  ${EndIf}
  Delete "$SMPROGRAMS\${MENU_NAME}.lnk"
  RMDir /r "$INSTDIR\help"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\tarvelo.exe"
  Delete "$INSTDIR\tarvelo-cli.exe"
  Delete "$INSTDIR\tarvelo.ico"
  Delete "$INSTDIR\copyright.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

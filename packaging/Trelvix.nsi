; The Trelvix installer of one architecture. cmake/PackageInstaller.cmake writes the package
; definition that it includes (version, architecture, publisher, the files and their size) and runs
; makensis -INPUTCHARSET UTF8 -DPACKAGE_DEFINITION=FILE on this script.
!include "${PACKAGE_DEFINITION}"

!if "${PACKAGE_ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID ${COMPRESSOR}
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trelvix"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Trelvix.lnk"

Name "Trelvix ${VERSION}"
OutFile "${OUTPUT_FILE}"
; A 64-bit installer sees the 64-bit Program Files and registry, a 32-bit one those of 32-bit programs.
!if "${PACKAGE_ARCH}" == "win64"
  InstallDir "$PROGRAMFILES64\Trelvix"
!else
  InstallDir "$PROGRAMFILES\Trelvix"
!endif
; Installing again goes where the installed version is, unless /D= or the directory page says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Trelvix ${VERSION} (${PACKAGE_ARCH})"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "这个向导将把 Trelvix ${VERSION}（${PACKAGE_ARCH} 版）安装到你的计算机上。$\r$\n$\r$\nTrelvix 把常见的视频文件转换成手机用的 3GP 文件。$\r$\n$\r$\n如果已经装有 Trelvix，安装程序会先把它卸载。$\r$\n$\r$\n$_CLICK"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Trelvix.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Trelvix"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Trelvix ${VERSION} 安装程序（${PACKAGE_ARCH}）"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${COPYRIGHT}"

; Removes the Trelvix that one registry view names: its own uninstaller runs in place and is waited
; for, then goes with its folder, which stays if it holds anything of the user's.
!macro RemoveInstallOfView VIEW
  SetRegView ${VIEW}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    ${If} ${FileExists} "$0\${UNINSTALLER}"
      DetailPrint "卸载已安装的 Trelvix：$0"
      ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
      Delete "$0\${UNINSTALLER}"
      RMDir "$0"
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
!macroend

; One Trelvix per computer: an installed one of either architecture makes way for this one.
Function RemovePrevious
!if "${PACKAGE_ARCH}" == "win64"
  !insertmacro RemoveInstallOfView 64
!else
  ${If} ${RunningX64}
    !insertmacro RemoveInstallOfView 64
  ${EndIf}
!endif
  !insertmacro RemoveInstallOfView 32
  SetRegView default
FunctionEnd

Section
  SetShellVarContext all
  Call RemovePrevious
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Trelvix.exe" "" "$INSTDIR\Trelvix.exe" 0 SW_SHOWNORMAL "" "Trelvix 视频转换器"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Trelvix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Trelvix.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the files this version installed and nothing else; folders go only when empty. The entry and
; the shortcut go only when they belong to this folder, so a stray old uninstaller leaves the
; installed Trelvix registered.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro UninstallFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "${SHORTCUT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

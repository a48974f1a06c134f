; RevazeSetup.exe: installs the Revaze text service and the classic input method for all users,
; with their dictionary and the help document, and writes the uninstaller. Built by
; scripts/make-installer.sh, which stages the files and defines:
;   VERSION       "0.1"            VERSION_QUAD  "0.1.0.0"
;   STAGE         the staged files: x86\ and x64\ (Revaze.ime, RevazeTip.dll when it was built,
;                 RevazeSetupHelper.exe), dictionary.nsh, help.pdf, revaze.ico
;   OUTFILE       where the installer goes
;   HAVE_TIP      when RevazeTip.dll was built for both bitnesses
;   HAVE_ARM64    when the ARM64 builds (a64\) and their ARM64X forwarders (arm64x\) were staged
;   FORWARDER_STAGE  another folder of forwarders (the installer tests' x64 ones; optional)
;   SIGN          a command that signs the file named after it in place (optional)
Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include x64.nsh
!include FileFunc.nsh

!define PRODUCT "Revaze"
!define PUBLISHER "Revaze Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Revaze"
!define HELP_DIR "$WINDIR\IME\devero2"
!define HELPER "RevazeSetupHelper.exe"
!define LAYOUT_TEXT "Tibetan - Revaze"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Revaze"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!ifdef SIGN
!finalize '${SIGN} "%1"' = 0
!uninstfinalize '${SIGN} "%1"' = 0
!endif

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\revaze.ico"
!define MUI_UNICON "${STAGE}\revaze.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_WELCOMEPAGE_TEXT "This installs Revaze ${VERSION}, a Tibetan input method with eight \
    keyboard layouts, whole-word candidates and a soft keyboard.$\r$\n$\r$\nRevaze is installed \
    for every user of this computer. Applications that are running see it after they restart.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Revaze is installed. Choose it in the input indicator on the \
    taskbar (Windows key + Space) or add it under Settings, Time & language, Language: it is \
    listed under Tibetan."
!define MUI_FINISHPAGE_SHOWREADME "${HELP_DIR}\help.pdf"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the Revaze help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Var installedBytes
Var deferred ; 1: the new system files wait for the restart (SetAsideSystemFiles)

!include "${STAGE}\dictionary.nsh"
!include "${__FILEDIR__}\system_files.nsh"
!ifdef HAVE_ARM64
!include "${__FILEDIR__}\arm64.nsh"
!endif

; ---- installing -------------------------------------------------------------------------------

Function .onInit
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "Revaze is installed for all users: run the setup as an administrator." /SD IDOK
        SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
    ${If} ${RunningX64}
        SetRegView 64
        StrCpy $INSTDIR "$PROGRAMFILES64\Revaze"
    ${EndIf}
!ifdef HAVE_ARM64
    Call DetectArm64
!endif
    StrCpy $installedBytes 0
FunctionEnd

Section "-Revaze" SecCore
    ; Before any file is written: an upgrade replaces all files or, until the restart, none.
    Call setAsideSystemFiles
    SetOutPath "$INSTDIR"
    ${If} ${RunningX64}
        File "/oname=${HELPER}" "${STAGE}\x64\${HELPER}"
    ${Else}
        File "/oname=${HELPER}" "${STAGE}\x86\${HELPER}"
    ${EndIf}
    !insertmacro CountSize "$INSTDIR\${HELPER}"
    ; Each input method reads the dictionary from its own system directory.
    !insertmacro OnSystemDirs InstallDictionary
    SetOutPath "${HELP_DIR}"
    File "${STAGE}\help.pdf"
    !insertmacro CountSize "${HELP_DIR}\help.pdf"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    !insertmacro CountSize "$INSTDIR\Uninstall.exe"
SectionEnd

!ifdef HAVE_TIP
Section "Revaze text service (recommended)" SecTip
    !insertmacro OnSystemDirs PutTextService
    !insertmacro RunHelper 'enable-tip RevazeTip.dll'
SectionEnd
!endif

Section "Revaze classic IME, for older applications and games" SecIme
    !insertmacro OnSystemDirs PutClassicIme
    ; The layout is one for both bitnesses: each process loads Revaze.ime from its own system
    ; directory. Only a helper of the system's bitness may install it.
    !insertmacro RunHelper '"install-ime" "$SYSDIR\Revaze.ime" "${LAYOUT_TEXT}"'
SectionEnd

; A component left out of a new installation goes, if an earlier one installed it.
Section "-Tidy" SecTidy
!ifdef HAVE_TIP
    ${IfNot} ${SectionIsSelected} ${SecTip}
        !insertmacro RemoveTextService
    ${EndIf}
!else
    !insertmacro RemoveTextService
!endif
    ${IfNot} ${SectionIsSelected} ${SecIme}
        !insertmacro RemoveClassicIme
    ${EndIf}
SectionEnd

Section "-Register" SecRegister
    IntOp $0 $installedBytes / 1024
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Uninstall.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${If} ${RebootFlag}
        DetailPrint "Some files were in use: Windows replaces them when it restarts."
        SetErrorLevel 3010 ; ERROR_SUCCESS_REBOOT_REQUIRED
    ${EndIf}
SectionEnd

; Defined after the sections, whose selection it reads.
Function setAsideSystemFiles
    StrCpy $R3 0
!ifdef HAVE_TIP
    ${If} ${SectionIsSelected} ${SecTip}
        StrCpy $R3 1
    ${EndIf}
!endif
    !insertmacro SetAsideSystemFiles
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
!ifdef HAVE_TIP
    !insertmacro MUI_DESCRIPTION_TEXT ${SecTip} "Tibetan input for current applications, through the \
        text services framework. Recommended."
!endif
    !insertmacro MUI_DESCRIPTION_TEXT ${SecIme} "The same input method as a classic IME, for \
        older applications and games that do not use text services."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Nothing to install with neither component: Install stays disabled.
Function .onSelChange
    GetDlgItem $0 $HWNDPARENT 1
    StrCpy $1 0
!ifdef HAVE_TIP
    ${If} ${SectionIsSelected} ${SecTip}
        StrCpy $1 1
    ${EndIf}
!endif
    ${If} ${SectionIsSelected} ${SecIme}
        StrCpy $1 1
    ${EndIf}
    EnableWindow $0 $1
FunctionEnd

; ---- removing ---------------------------------------------------------------------------------

Function un.onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
!ifdef HAVE_ARM64
    Call un.DetectArm64
!endif
FunctionEnd

Section "Uninstall"
    !insertmacro RemoveTextService
    !insertmacro RemoveClassicIme
    !insertmacro OnSystemDirs RemoveDictionary
    Delete "${HELP_DIR}\help.pdf"
    RMDir "${HELP_DIR}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The settings Revaze wrote for this user; an administrator's defaults under HKLM stay.
    DeleteRegKey HKCU "Software\Revaze"
    Delete "$INSTDIR\${HELPER}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    ${If} ${RebootFlag}
        DetailPrint "Some Revaze files are still used by running applications."
        MessageBox MB_ICONINFORMATION "Some Revaze files are still used by running applications. \
            Windows deletes them when it restarts." /SD IDOK
        SetErrorLevel 3010 ; ERROR_SUCCESS_REBOOT_REQUIRED
    ${EndIf}
SectionEnd

; Windows on ARM (only with HAVE_ARM64: make-installer.sh staged the ARM64 builds).
;
; There native ARM64 processes (Explorer, Start, Notepad, Edge) and emulated x64 ones share
; System32 and the 64-bit registry view, so System32 gets, for each input method, an ARM64X
; forwarder under the usual name, which loads in both kinds of process, and behind it the two
; builds it leads to:
;   RevazeTip.dll   forwarder   RevazeTipA64.dll (ARM64)   RevazeTipX64.dll (x64)
;   Revaze.ime      forwarder   RevazeImeA64.dll (ARM64)   RevazeImeX64.dll (x64)
; The registrations (regsvr32, the keyboard layout) name the forwarders. SysWOW64 gets the i686
; builds as on x64 Windows, and the dictionary goes beside each as there. The helper is the x64
; one, which Windows runs emulated in the machine's 64-bit registry view.
;
; The installer itself is an i686 process: the native machine comes from IsWow64Process2
; (Windows 10 1511 and later, looked up at run time); older systems are no ARM64 machines.
; The test switch /TESTARM64 makes the installer take the ARM64 branch on any 64-bit machine
; (scripts/installer-tests.sh, under Wine).

!define ARM64_STAGE "${STAGE}\a64"
!ifndef FORWARDER_STAGE
!define FORWARDER_STAGE "${STAGE}\arm64x"
!endif

Var nativeArm64 ; 1 on an ARM64 machine

!macro DetectArm64 UN
Function ${UN}DetectArm64
    StrCpy $nativeArm64 0
    System::Call 'kernel32::GetModuleHandleW(w "kernel32.dll") p .r0'
    System::Call 'kernel32::GetProcAddress(p r0, m "IsWow64Process2") p .r1'
    ${If} $1 P<> 0
        ; The process machine, then the native one (USHORTs in zeroed 32-bit buffers).
        System::Call '::$1(p -1, *i 0 r2, *i 0 r3) i .r4'
        ${If} $4 <> 0
        ${AndIf} $3 = 0xAA64
            StrCpy $nativeArm64 1
        ${EndIf}
    ${EndIf}
    ${GetOptions} $CMDLINE "/TESTARM64" $0
    ${IfNot} ${Errors}
    ${AndIf} ${RunningX64}
        StrCpy $nativeArm64 1
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DetectArm64 ""
!insertmacro DetectArm64 "un."

; OnSystemDirs's System32 step: on an ARM64 machine MACRO's Arm64 form, which stages its own files.
!macro OnSystem32 MACRO
    ${If} $nativeArm64 = 1
        !insertmacro ${MACRO}Arm64 "$WINDIR\System32"
    ${Else}
        !insertmacro ${MACRO} "$WINDIR\System32" x64
    ${EndIf}
!macroend

!macro PutTextServiceArm64 DIR
    !insertmacro PutSystemFile "${ARM64_STAGE}\${TIP_DLL}" "${DIR}" "RevazeTipA64.dll"
    !insertmacro PutSystemFile "${STAGE}\x64\${TIP_DLL}" "${DIR}" "RevazeTipX64.dll"
    !insertmacro PutSystemFile "${FORWARDER_STAGE}\${TIP_DLL}" "${DIR}" "${TIP_DLL}"
    !insertmacro RegisterServer "${DIR}" "${TIP_DLL}"
!macroend

!macro PutClassicImeArm64 DIR
    !insertmacro PutSystemFile "${ARM64_STAGE}\${IME_FILE}" "${DIR}" "RevazeImeA64.dll"
    !insertmacro PutSystemFile "${STAGE}\x64\${IME_FILE}" "${DIR}" "RevazeImeX64.dll"
    !insertmacro PutSystemFile "${FORWARDER_STAGE}\${IME_FILE}" "${DIR}" "${IME_FILE}"
!macroend

; The forwarder is unregistered like any RevazeTip.dll (the build behind it does the work), then
; the builds behind it go.
!macro RemoveTextServiceFileArm64 DIR
    !insertmacro RemoveTextServiceFile "${DIR}" x64
    Delete /REBOOTOK "${DIR}\RevazeTipA64.dll"
    Delete /REBOOTOK "${DIR}\RevazeTipX64.dll"
!macroend

!macro RemoveClassicImeFileArm64 DIR
    !insertmacro RemoveClassicImeFile "${DIR}" x64
    Delete /REBOOTOK "${DIR}\RevazeImeA64.dll"
    Delete /REBOOTOK "${DIR}\RevazeImeX64.dll"
!macroend

; The dictionary is the same in System32 as on x64 Windows.
!macro InstallDictionaryArm64 DIR
    !insertmacro InstallDictionary "${DIR}" x64
!macroend

!macro RemoveDictionaryArm64 DIR
    !insertmacro RemoveDictionary "${DIR}" x64
!macroend

; Making room for an upgrade on an ARM64 machine: the forwarders as on x64, and the builds
; behind them.
!macro SetAsideDirArm64 DIR
    !insertmacro SetAsideDir "${DIR}" arm64
    !insertmacro SetAsideFile "${DIR}" "RevazeImeA64.dll"
    !insertmacro SetAsideFile "${DIR}" "RevazeImeX64.dll"
    ${If} $R3 == 1
        !insertmacro SetAsideFile "${DIR}" "RevazeTipA64.dll"
        !insertmacro SetAsideFile "${DIR}" "RevazeTipX64.dll"
    ${EndIf}
!macroend

!macro SettleAsideDirArm64 DIR
    !insertmacro SettleAsideDir "${DIR}" arm64
    !insertmacro SettleAsideFile "${DIR}" "RevazeImeA64.dll"
    !insertmacro SettleAsideFile "${DIR}" "RevazeImeX64.dll"
    !insertmacro SettleAsideFile "${DIR}" "RevazeTipA64.dll"
    !insertmacro SettleAsideFile "${DIR}" "RevazeTipX64.dll"
!macroend

; The steps Revaze.nsi repeats for each system directory and component. $SYSDIR is the 64-bit
; system directory while x64.nsh's file-system redirection is off, the 32-bit one otherwise.

!define TIP_DLL "RevazeTip.dll"
!define IME_FILE "Revaze.ime"

; Stops the installation with a message (none in silent mode) and a failing exit code.
!macro Fail TEXT
    DetailPrint "${TEXT}"
    MessageBox MB_ICONSTOP "${TEXT}" /SD IDOK
    SetErrorLevel 1
    Abort "${TEXT}"
!macroend

; Adds the size of an installed file to the Apps & features estimate.
!macro CountSize PATH
    FileOpen $R0 "${PATH}" r
    FileSeek $R0 0 END $R1
    FileClose $R0
    IntOp $installedBytes $installedBytes + $R1
!macroend

; Puts a file into the system directory. A DLL that a running application has loaded cannot be
; replaced but can be renamed: the old one moves aside and goes when Windows restarts.
!macro PutSystemFile SOURCE NAME
    ${If} ${FileExists} "$SYSDIR\${NAME}"
        Delete "$SYSDIR\${NAME}"
        ${If} ${FileExists} "$SYSDIR\${NAME}"
            Delete "$SYSDIR\${NAME}.old"
            Rename "$SYSDIR\${NAME}" "$SYSDIR\${NAME}.old"
            Delete /REBOOTOK "$SYSDIR\${NAME}.old"
            DetailPrint "$SYSDIR\${NAME} is in use: the old file goes when Windows restarts"
        ${EndIf}
    ${EndIf}
    SetOutPath "$SYSDIR"
    File "/oname=${NAME}" "${SOURCE}"
    !insertmacro CountSize "$SYSDIR\${NAME}"
!macroend

; Registers a COM server with the regsvr32 of the directory's own bitness.
!macro RegisterServer NAME
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$SYSDIR\${NAME}"' $0
    ${If} $0 != 0
        !insertmacro Fail "$SYSDIR\${NAME} could not be registered (regsvr32 exit code $0)."
    ${EndIf}
!macroend

; Runs the helper of the system's bitness, which prints what it did into the details.
!macro RunHelper ARGS
    nsExec::ExecToLog '"$INSTDIR\${HELPER}" ${ARGS}'
    Pop $0
    ${If} $0 != 0
        !insertmacro Fail "Revaze could not be set up: ${HELPER} failed ($0)."
    ${EndIf}
!macroend

; The same while removing: what cannot be undone is reported and the rest still goes.
!macro TryHelper ARGS
    ${If} ${FileExists} "$INSTDIR\${HELPER}"
        nsExec::ExecToLog '"$INSTDIR\${HELPER}" ${ARGS}'
        Pop $0
        ${If} $0 != 0
            DetailPrint "${HELPER} failed ($0)"
        ${EndIf}
    ${EndIf}
!macroend

!macro UnregisterAndDelete NAME
    ${If} ${FileExists} "$SYSDIR\${NAME}"
        ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$SYSDIR\${NAME}"' $0
        ${If} $0 != 0
            DetailPrint "regsvr32 /u $SYSDIR\${NAME} failed ($0)"
        ${EndIf}
        Delete /REBOOTOK "$SYSDIR\${NAME}"
    ${EndIf}
!macroend

; The user's profile first (the helper finds it through the registration), then the
; registration of each bitness, then the files.
!macro RemoveTextService
    !insertmacro TryHelper 'forget-tip ${TIP_DLL}'
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        !insertmacro UnregisterAndDelete "${TIP_DLL}"
        ${EnableX64FSRedirection}
    ${EndIf}
    !insertmacro UnregisterAndDelete "${TIP_DLL}"
!macroend

!macro RemoveClassicIme
    !insertmacro TryHelper 'remove-ime ${IME_FILE}'
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        Delete /REBOOTOK "$SYSDIR\${IME_FILE}"
        ${EnableX64FSRedirection}
    ${EndIf}
    Delete /REBOOTOK "$SYSDIR\${IME_FILE}"
!macroend

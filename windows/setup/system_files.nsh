; The steps Revaze.nsi repeats for each system directory and component.
;
; On 64-bit Windows every path names its directory itself (System32 for the x86_64 files, SysWOW64
; for the i686 ones) with x64.nsh's file-system redirection off: a deletion that waits for the
; next restart keeps the path as written, and a redirected System32 path would then delete the
; 64-bit file instead of the 32-bit one. Redirection is on again between the steps, for the
; installer's own use of system DLLs.

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

; Puts a file into the system directory, where SetAsideSystemFiles made room for it. When some
; file could not be moved aside, every new file waits beside the old one as NAME.new and takes its
; place when Windows restarts: until then applications load the old set, never a mix.
!macro PutSystemFile SOURCE DIR NAME
    SetOutPath "${DIR}"
    ${If} $deferred == 1
        File "/oname=${NAME}.new" "${SOURCE}"
        Rename /REBOOTOK "${DIR}\${NAME}.new" "${DIR}\${NAME}"
        DetailPrint "${DIR}\${NAME} is in use: the new file takes its place when Windows restarts"
    ${Else}
        File "/oname=${NAME}" "${SOURCE}"
    ${EndIf}
    !insertmacro CountSize "${DIR}\${NAME}"
!macroend

; Registers a COM server with the regsvr32 of the directory's own bitness.
!macro RegisterServer DIR NAME
    ExecWait '"${DIR}\regsvr32.exe" /s "${DIR}\${NAME}"' $0
    ${If} $0 != 0
        !insertmacro Fail "${DIR}\${NAME} could not be registered (regsvr32 exit code $0)."
    ${EndIf}
!macroend

; Runs MACRO DIR ARCH for each system directory: DIR the directory, ARCH the staged build (x64 or
; x86) that belongs there.
!macro OnSystemDirs MACRO
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
        !insertmacro OnSystem32 ${MACRO}
        !insertmacro ${MACRO} "$WINDIR\SysWOW64" x86
        ${EnableX64FSRedirection}
    ${Else}
        !insertmacro ${MACRO} "$SYSDIR" x86
    ${EndIf}
!macroend

; Without ARM64 builds, System32 gets the x64 ones (arm64.nsh has the other form).
!ifndef HAVE_ARM64
!macro OnSystem32 MACRO
    !insertmacro ${MACRO} "$WINDIR\System32" x64
!macroend
!endif

!macro PutTextService DIR ARCH
    !insertmacro PutSystemFile "${STAGE}\${ARCH}\${TIP_DLL}" "${DIR}" "${TIP_DLL}"
    ; A deferred file is registered already, by the installation it replaces, under the same path.
    ${If} $deferred != 1
        !insertmacro RegisterServer "${DIR}" "${TIP_DLL}"
    ${EndIf}
!macroend

!macro PutClassicIme DIR ARCH
    !insertmacro PutSystemFile "${STAGE}\${ARCH}\${IME_FILE}" "${DIR}" "${IME_FILE}"
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

!macro RemoveTextServiceFile DIR ARCH
    ${If} ${FileExists} "${DIR}\${TIP_DLL}"
        ExecWait '"${DIR}\regsvr32.exe" /u /s "${DIR}\${TIP_DLL}"' $0
        ${If} $0 != 0
            DetailPrint "regsvr32 /u ${DIR}\${TIP_DLL} failed ($0)"
        ${EndIf}
        Delete /REBOOTOK "${DIR}\${TIP_DLL}"
    ${EndIf}
!macroend

!macro RemoveClassicImeFile DIR ARCH
    Delete /REBOOTOK "${DIR}\${IME_FILE}"
!macroend

; The user's profile first (the helper finds it through the registration), then the
; registration of each bitness, then the files.
!macro RemoveTextService
    !insertmacro TryHelper 'forget-tip ${TIP_DLL}'
    !insertmacro OnSystemDirs RemoveTextServiceFile
!macroend

!macro RemoveClassicIme
    !insertmacro TryHelper 'remove-ime ${IME_FILE}'
    !insertmacro OnSystemDirs RemoveClassicImeFile
!macroend

; ---- making room for an upgrade ----------------------------------------------------------------
; A DLL that a running application has loaded cannot be replaced but can be renamed: the old
; files move aside first (NAME.old, deleted now or when Windows restarts) and the new ones take
; their names. A file that can be neither deleted nor renamed (opened without sharing) would
; leave a mix of old and new files that the next application loads together: then everything
; moved aside comes back and the new files wait for the restart ($deferred).

; Moves one file aside; $R2 becomes 1 when it cannot be moved.
!macro SetAsideFile DIR NAME
    ${If} ${FileExists} "${DIR}\${NAME}"
        Delete "${DIR}\${NAME}.old"
        ClearErrors
        Rename "${DIR}\${NAME}" "${DIR}\${NAME}.old"
        ${If} ${Errors}
        ${OrIf} ${FileExists} "${DIR}\${NAME}"
            StrCpy $R2 1
        ${EndIf}
    ${EndIf}
!macroend

; Puts a moved file back, or lets its old copy go (now, or at the restart when it is loaded).
!macro SettleAsideFile DIR NAME
    ${If} ${FileExists} "${DIR}\${NAME}.old"
        ${If} $deferred == 1
        ${AndIfNot} ${FileExists} "${DIR}\${NAME}"
            Rename "${DIR}\${NAME}.old" "${DIR}\${NAME}"
        ${Else}
            Delete /REBOOTOK "${DIR}\${NAME}.old"
        ${EndIf}
    ${EndIf}
!macroend

; The text service's file only when it is installed again ($R3 = 1): one left out is
; unregistered from its own file by the -Tidy section.
!macro SetAsideDir DIR ARCH
    !insertmacro SetAsideFile "${DIR}" "${IME_FILE}"
    ${If} $R3 == 1
        !insertmacro SetAsideFile "${DIR}" "${TIP_DLL}"
    ${EndIf}
    !insertmacro ForEachDictionaryFile SetAsideFile "${DIR}"
!macroend

!macro SettleAsideDir DIR ARCH
    !insertmacro SettleAsideFile "${DIR}" "${IME_FILE}"
    !insertmacro SettleAsideFile "${DIR}" "${TIP_DLL}"
    !insertmacro ForEachDictionaryFile SettleAsideFile "${DIR}"
!macroend

; Sets $deferred: 0 when every installed file could be moved aside, else 1 (and nothing moved).
; $R3 is 1 when the text service is installed.
!macro SetAsideSystemFiles
    StrCpy $R2 0
    !insertmacro OnSystemDirs SetAsideDir
    StrCpy $deferred $R2
    !insertmacro OnSystemDirs SettleAsideDir
    ${If} $deferred == 1
        DetailPrint "Revaze files are in use: the new ones replace them when Windows restarts."
        SetRebootFlag true
    ${EndIf}
!macroend

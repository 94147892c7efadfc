; "Run at Windows Startup" left behind by an uninstall would start a program that is gone at every
; logon. The value is the program's path alone or in quotes (then followed by any arguments); older
; versions wrote it with forward slashes, and a user may have typed it in another letter case. It is
; deleted when it names "$INSTDIR\${PROGRAM}" in any of these spellings, and kept when it names anything
; else.
;
; The includer defines PRODUCT (the value's name), PROGRAM (the executable's file name) and
; AUTOSTART_KEY (the Run key under HKCU), and includes LogicLib.nsh.
!macro DEFINE_REMOVE_AUTOSTART prefix
Function ${prefix}RemoveAutostart
    Push $0
    Push $1
    Push $2
    Push $3
    ReadRegStr $0 HKCU "${AUTOSTART_KEY}" "${PRODUCT}"
    ; A quoted path ends at the closing quote.
    StrCpy $1 $0 1
    ${If} $1 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $2 0
        ${Do}
            StrCpy $1 $0 1 $2
            ${If} $1 == '"'
            ${OrIf} $1 == ""
                ${ExitDo}
            ${EndIf}
            IntOp $2 $2 + 1
        ${Loop}
        StrCpy $0 $0 $2
    ${EndIf}
    ; Backslashes for slashes, one character at a time.
    StrCpy $3 ""
    StrCpy $2 0
    ${Do}
        StrCpy $1 $0 1 $2
        ${If} $1 == ""
            ${ExitDo}
        ${ElseIf} $1 == "/"
            StrCpy $1 "\"
        ${EndIf}
        StrCpy $3 "$3$1"
        IntOp $2 $2 + 1
    ${Loop}
    ; == ignores the letter case, as Windows does for file names.
    ${If} $3 != ""
    ${AndIf} $3 == "$INSTDIR\${PROGRAM}"
        DeleteRegValue HKCU "${AUTOSTART_KEY}" "${PRODUCT}"
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend

; The uninstaller's removal of the "Run at Windows Startup" value, alone in a small silent program, so
; that InstallerChecks.cpp can try it on many spellings of the value without installing each time.
;   makensis -DAUTOSTART_NSH=<cmake/KelvaneAutostart.nsh> -DOUTFILE=<probe.exe> AutostartRemovalProbe.nsi
;   probe.exe /S /D=C:\Program Files\Kelvane      (the folder of the program whose value goes)
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SilentInstall silent

; The same names as the setup program's.
!define PRODUCT "Kelvane"
!define PROGRAM "kelvane.exe"
!define AUTOSTART_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

!include "LogicLib.nsh"
!include "${AUTOSTART_NSH}"
!insertmacro DEFINE_REMOVE_AUTOSTART ""

Name "${PRODUCT} autostart removal"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"

Section
    Call RemoveAutostart
SectionEnd

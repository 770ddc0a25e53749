; The Tavrin installer: copies the saver into the system folder and makes it the current screen
; saver. Built by scripts/release.sh (and by the installer test) with makensis:
;
;   makensis -DOUTFILE=setup.exe -DSCR32=build32/Tavrin.scr -DSCR64=build64/Tavrin.scr tavrin.nsi
;
; SCR32 is the 32-bit program, SCR64 the 64-bit one; either may be left out (the tests build
; one-program installers). On 64-bit Windows the 64-bit program goes into the real System32,
; where the system's screen-saver list looks; the 32-bit one only when there is no 64-bit one,
; into SysWOW64. `setup.exe /S` installs without asking anything.

Unicode true
!include LogicLib.nsh
!include WinMessages.nsh
!include x64.nsh

!ifndef OUTFILE
    !error "define OUTFILE, the installer to write"
!endif
!ifndef SCR32
    !ifndef SCR64
        !error "define SCR32 and/or SCR64, the programs to install"
    !endif
!endif
!ifndef VERSION
    !define VERSION 2.0
!endif

!define SAVER_FILE "Tavrin.scr"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "Tavrin"
Caption "Tavrin ${VERSION} Setup"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
SetCompressor /SOLID lzma
InstallDir "$SYSDIR"

VIProductVersion "2.0.0.0"
VIAddVersionKey "ProductName" "Tavrin"
VIAddVersionKey "CompanyName" "Quillam"
VIAddVersionKey "LegalCopyright" "Quillam"
VIAddVersionKey "FileDescription" "Tavrin screen saver setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

Page instfiles

Var Installed ; the full path of the installed saver, as the screen-saver setting names it

; Copies the program that fits this system and sets $Installed.
Function CopySaver
    ${If} ${RunningX64}
!ifdef SCR64
        ; A 32-bit installer sees SysWOW64 as System32 unless told otherwise.
        ${DisableX64FSRedirection}
        SetOutPath "$SYSDIR"
        File "/oname=${SAVER_FILE}" "${SCR64}"
        ${EnableX64FSRedirection}
        StrCpy $Installed "$SYSDIR\${SAVER_FILE}"
        Return
!else
        SetOutPath "$SYSDIR" ; redirected: this is SysWOW64
        File "/oname=${SAVER_FILE}" "${SCR32}"
        StrCpy $Installed "$WINDIR\SysWOW64\${SAVER_FILE}"
        Return
!endif
    ${EndIf}
!ifdef SCR32
    SetOutPath "$SYSDIR"
    File "/oname=${SAVER_FILE}" "${SCR32}"
    StrCpy $Installed "$SYSDIR\${SAVER_FILE}"
!else
    MessageBox MB_OK|MB_ICONSTOP "This installer holds the 64-bit Tavrin only." /SD IDOK
    SetErrorLevel 2
    Quit
!endif
FunctionEnd

Section "Tavrin"
    SetShellVarContext current
    ClearErrors
    Call CopySaver
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Could not copy ${SAVER_FILE} into the system folder." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    DetailPrint "Installed $Installed"

    ; The current screen saver, and screen saving switched on; then the system is told, as the
    ; Display settings do.
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$Installed"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    System::Call 'user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
    DetailPrint "Tavrin is now the screen saver"
SectionEnd

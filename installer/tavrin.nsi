; The Tavrin installer: copies the saver into the system folder, makes it the current screen
; saver and registers an uninstaller in the system's list of installed programs. Built by
; scripts/release.sh (and by the installer test) with makensis:
;
;   makensis -DOUTFILE=setup.exe -DSCR32=build32/Tavrin.scr -DSCR64=build64/Tavrin.scr tavrin.nsi
;
; SCR32 is the 32-bit program, SCR64 the 64-bit one; either may be left out (the tests build
; one-program installers). On 64-bit Windows the 64-bit program goes into the real System32,
; where the system's screen-saver list looks; the 32-bit one only when there is no 64-bit one,
; into SysWOW64. `setup.exe /S` installs and `uninstall.exe /S` uninstalls without asking.
;
; Both are built for the ANSI code page so that they start on Windows 95, 98, ME and NT 4.0,
; like the program itself; a Unicode build would need Windows 2000.

Unicode false
!include LogicLib.nsh
!include WinMessages.nsh
!include WinVer.nsh
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
    !error "define VERSION, the program's version as the build has it (major.minor)"
!endif

!define SAVER_FILE "Tavrin.scr"
!define UNINSTALLER "uninstall.exe"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SYSTEM_INI "$WINDIR\system.ini" ; where Windows 95, 98 and ME keep the chosen saver
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
!define COMPANY "Quillam"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATEINIFILE_SENDCHANGE 3

Name "Tavrin"
Caption "Tavrin ${VERSION} Setup"
UninstallCaption "Tavrin ${VERSION} Uninstall"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
SetCompressor /SOLID lzma
; Only the uninstaller lives here; the saver goes into the system folder.
InstallDir "$PROGRAMFILES\Tavrin"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Tavrin"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "LegalCopyright" "${COMPANY}"
VIAddVersionKey "FileDescription" "Tavrin screen saver setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

Page instfiles
; Uninstalling asks first (a silent uninstall does not): the list of installed programs starts
; it with one click.
UninstPage uninstConfirm
UninstPage instfiles
UninstallText "Tavrin will be removed from this computer. Its settings are kept for a later install."

Var SaverDir  ; the system folder that holds the saver
Var Installed ; the full path of the installed saver, as the screen-saver setting names it

; Sets $SaverDir and $Installed for the program that fits this system. On 64-bit Windows the
; caller turns file-system redirection off, so that "System32" is the real one.
!macro SaverPlace un
    Function ${un}SaverPlace
        StrCpy $SaverDir "$SYSDIR"
!ifndef SCR64
        ${If} ${RunningX64}
            StrCpy $SaverDir "$WINDIR\SysWOW64"
        ${EndIf}
!endif
        StrCpy $Installed "$SaverDir\${SAVER_FILE}"
    FunctionEnd
!macroend
!insertmacro SaverPlace ""
!insertmacro SaverPlace "un."

; On a 64-bit system "System32" must be the real one, where the system's screen-saver list
; looks, not the 32-bit folder this 32-bit program is otherwise led to. (The uninstall entry
; stays in the registry's 32-bit view: the list of installed programs shows both views.)
!macro RealSystemFolder
    ${If} ${RunningX64}
        ${DisableX64FSRedirection}
    ${EndIf}
!macroend

; Copies the program that fits this system into $SaverDir.
Function CopySaver
    SetOutPath "$SaverDir"
!ifdef SCR64
    ${If} ${RunningX64}
        File "/oname=${SAVER_FILE}" "${SCR64}"
        Return
    ${EndIf}
!endif
!ifdef SCR32
    File "/oname=${SAVER_FILE}" "${SCR32}"
!else
    MessageBox MB_OK|MB_ICONSTOP "This installer holds the 64-bit Tavrin only." /SD IDOK
    SetErrorLevel 2
    Quit
!endif
FunctionEnd

; Replaces the path on the stack with the file's size in KiB, rounded up (0, and the error
; flag set, when it cannot be opened).
Function FileKiB
    Exch $0
    Push $1
    FileOpen $1 "$0" r
    StrCpy $0 0
    ${If} $1 != ""
        FileSeek $1 0 END $0
        FileClose $1
    ${EndIf}
    IntOp $0 $0 + 1023
    IntOp $0 $0 / 1024
    Pop $1
    Exch $0
FunctionEnd

; The entry in the system's list of installed programs.
Function RegisterUninstaller
    CreateDirectory "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tavrin"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$Installed"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    Push "$Installed"
    Call FileKiB
    Push "$INSTDIR\${UNINSTALLER}"
    Call FileKiB
    Pop $0
    Pop $1
    IntOp $0 $0 + $1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Section "Tavrin"
    SetShellVarContext current
    !insertmacro RealSystemFolder
    Call SaverPlace
    ClearErrors
    Call CopySaver
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Could not copy ${SAVER_FILE} into the system folder." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    DetailPrint "Installed $Installed"

    ; The current screen saver, and screen saving switched on; then the system is told, as the
    ; Display settings do (which on Windows 95, 98 and ME write the short form to system.ini).
    ${If} ${IsNT}
        WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$Installed"
    ${Else}
        GetFullPathName /SHORT $0 "$Installed"
        WriteINIStr "${SYSTEM_INI}" "boot" "SCRNSAVE.EXE" "$0"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    System::Call 'user32::SystemParametersInfo(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATEINIFILE_SENDCHANGE})'
    DetailPrint "Tavrin is now the screen saver"

    ClearErrors
    Call RegisterUninstaller
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONEXCLAMATION "Could not register the uninstaller." /SD IDOK
        SetErrorLevel 4
    ${EndIf}
SectionEnd

; Sets $0 to 1 when the current screen saver is the installed Tavrin. The setting may name it
; in any case, and in its long or its short (8.3) form, so both sides are also compared in
; their short forms; that needs the file, so this runs before it is removed.
Function un.IsCurrentSaver
    StrCpy $0 0
    ${If} ${IsNT}
        ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
        ReadINIStr $1 "${SYSTEM_INI}" "boot" "SCRNSAVE.EXE"
    ${EndIf}
    ${If} $1 == "" ; no screen saver chosen
        Return
    ${EndIf}
    ${If} $1 == $Installed ; == in NSIS ignores case
        StrCpy $0 1
        Return
    ${EndIf}
    GetFullPathName /SHORT $1 $1
    GetFullPathName /SHORT $2 $Installed
    ${If} $1 != ""
    ${AndIf} $1 == $2
        StrCpy $0 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro RealSystemFolder
    Call un.SaverPlace
    Call un.IsCurrentSaver

    ; A saver that is running cannot be removed; then everything stays, and the uninstall can
    ; be run again later.
    ClearErrors
    Delete "$Installed"
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Could not remove $Installed. Close the screen saver and try again." /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    DetailPrint "Removed $Installed"

    ; The system must not keep pointing at a file that is gone; another saver stays chosen.
    ${If} $0 == 1
        ${If} ${IsNT}
            DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
        ${Else}
            DeleteINIStr "${SYSTEM_INI}" "boot" "SCRNSAVE.EXE"
        ${EndIf}
        DetailPrint "No screen saver is chosen now"
    ${EndIf}

    ; The settings under HKCU\Software\${COMPANY}\Tavrin stay, so a reinstall finds them.
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
SectionEnd

; The Windows installer and uninstaller of Tonecast, for all users, 64-bit.
;
; Built by installer/CMakeLists.txt, which passes VERSION (3.1.0), PROGRAM_DIR (the built
; Tonecast.exe and Tonestart.exe), DATA_DIR (the shipped data files), ICON and OUTFILE.
;
; Command line: /S installs silently (administrators only); /GAMMARANGE also ticks the
; gamma-range option. Uninstall.exe /S removes the program and keeps the data folder.

Target amd64-unicode

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh
!include "ExecAsUser.nsh"

!define DISPLAY_NAME "Velmor Tonecast ${VERSION}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor Tonecast"
!define ICM_KEY "SOFTWARE\Microsoft\Windows NT\CurrentVersion\ICM"
!define GAMMA_RANGE "GdiIcmGammaRange"
; What the installer keeps in its "Apps & features" entry about the gamma-range value: set
; to 1 when it changed the value, and the value it found (absent when there was none).
!define GAMMA_CHANGED "TonecastGammaRangeChanged"
!define GAMMA_BEFORE "TonecastGammaRangeBefore"
; The loader starts at every user's sign-in from this value of the machine's Run key: the
; corrections are the machine's, so every user's session applies them. A registry value, not a
; shortcut in the common Startup folder: only administrators can change it, there is no file
; that could be swapped for a link, and the uninstaller removes exactly what it wrote.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tonestart"
; The resident loader's hidden top-level window; it ends cleanly on WM_CLOSE.
!define LOADER_CLASS "TonestartLoader"
; The data folder of an installed Tonecast, under ProgramData ($APPDATA for all users): the
; machine's calibrations, one ramp file per display.
!define DATA_PARENT "$APPDATA\Velmor"
!define DATA_FOLDER "$APPDATA\Velmor\Tonecast"
; Its access lists, replacing what ProgramData would pass on (there every user may create
; folders, and a folder's creator owns it). Administrators and SYSTEM have full control. In
; "Velmor" users may only read. In "Tonecast" they may list and add files and change every file
; in it (any user may recalibrate), but add no folder, so no junction can be placed inside.
!define DATA_PARENT_SDDL "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"
!define DATA_FOLDER_SDDL "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;;0x1200ab;;;BU)(A;OIIO;0x1301bf;;;BU)"
; Ramp files Tonecast1.lut and profiles Tonecast1.icm up to this number are removed with the data.
!define MAX_DISPLAYS 32

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
; The program's data folder depends on it running from under Program Files.
InstallDir "$PROGRAMFILES64\Velmor\Tonecast"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "${DISPLAY_NAME}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!define MUI_COMPONENTSPAGE_TEXT_TOP "$(OptionsIntro)"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
; "Start Tonecast", ticked, as the signed-in user; and, with the gamma-range option, when it
; takes effect.
Var FinishText
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartTonecast)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTonecast
!define MUI_PAGE_CUSTOMFUNCTION_PRE FinishPagePre
!insertmacro MUI_PAGE_FINISH

; One option: its description stands in the box from the start, and no "Space required" of
; nothing shows.
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UnOptionsIntro)"
!define MUI_COMPONENTSPAGE_TEXT_DESCRIPTION_INFO "$(UnSecDataDesc)"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.ComponentsPageShow
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The languages the program ships; the first is the default.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Velmor"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tonecast"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tonecast setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) Velmor"

!include "Texts.nsh"

; Closes the resident loader of this installation (Tonestart.exe in $INSTDIR), if it runs, and
; waits up to 5 s for its process to end, so that its files can be replaced or removed.
; Loaders of other copies are left alone.
!macro DefineStopLoader prefix
Function ${prefix}StopLoader
    StrCpy $R0 0  ; the window after which to search
    StrCpy $R9 0  ; windows looked at, a bound against a window that never goes
    ${Do}
        IntOp $R9 $R9 + 1
        ${IfThen} $R9 > 32 ${|} ${ExitDo} ${|}
        FindWindow $R1 "${LOADER_CLASS}" "" 0 $R0
        ${IfThen} $R1 = 0 ${|} ${ExitDo} ${|}
        System::Call 'user32::GetWindowThreadProcessId(p R1, *i .R2)'
        ; PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE
        System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i R2) p .R3'
        StrCpy $R4 ""
        ${If} $R3 P<> 0
            System::Call 'kernel32::QueryFullProcessImageNameW(p R3, i 0, w .R4, *i ${NSIS_MAX_STRLEN})'
        ${EndIf}
        StrCpy $R0 $R1
        ${If} $R4 == "$INSTDIR\Tonestart.exe"
            DetailPrint "Closing $R4"
            SendMessage $R1 ${WM_CLOSE} 0 0 /TIMEOUT=3000
            System::Call 'kernel32::WaitForSingleObject(p R3, i 5000)'
            ; A closed window is gone from the list: search it again from the start.
            System::Call 'user32::IsWindow(p R1) i .R5'
            ${IfThen} $R5 = 0 ${|} StrCpy $R0 0 ${|}
        ${EndIf}
        ${If} $R3 P<> 0
            System::Call 'kernel32::CloseHandle(p R3)'
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro DefineStopLoader ""
!insertmacro DefineStopLoader "un."

; Closes this installation's loader in every user's session through the Restart Manager, which
; asks each one to close (the loader ends on it) and ends one that does not. Windows only.
Function un.StopLoadersEverywhere
    ; The session key is a buffer of CCH_RM_SESSION_KEY + 1 characters.
    System::Call 'rstrtmgr::RmStartSession(*i .r1, i 0, w .r2) i .r0'
    ${IfThen} $0 != 0 ${|} Return ${|}
    ; The file, and an array of one pointer to it.
    System::Call '*(&w${NSIS_MAX_STRLEN} "$INSTDIR\Tonestart.exe") p .r3'
    System::Call '*(p r3) p .r4'
    System::Call 'rstrtmgr::RmRegisterResources(i r1, i 1, p r4, i 0, p 0, i 0, p 0) i .r0'
    ${If} $0 = 0
        ; RmForceShutdown
        System::Call 'rstrtmgr::RmShutdown(i r1, i 1, p 0) i .r0'
        DetailPrint "Loaders of every session closed (Restart Manager: $0)"
    ${EndIf}
    System::Call 'rstrtmgr::RmEndSession(i r1)'
    System::Free $4
    System::Free $3
FunctionEnd

; The log-on shortcut OK put into the user's own Startup folder before the loader was started
; from the Run key.
!macro DeleteOwnStartupShortcut
    SetShellVarContext current
    Delete "$SMSTARTUP\Tonestart.lnk"
    SetShellVarContext all
!macroend
!insertmacro DefineExecAsSignedInUser ""

; Never with the installer's administrator rights: the program would save as the administrator.
Function StartTonecast
    StrCpy $0 "$INSTDIR\Tonecast.exe"
    Call ExecAsSignedInUser
    ${If} $0 != ""
        MessageBox MB_ICONINFORMATION "$(StartFailed)"
    ${EndIf}
FunctionEnd

Function un.ComponentsPageShow
    ShowWindow $mui.ComponentsPage.SpaceRequired ${SW_HIDE}
    EnableWindow $mui.ComponentsPage.DescriptionText 1
FunctionEnd

; Pops a path and pushes 1 when it is a link (a junction, a symbolic link or any other reparse
; point), else 0. The data folder is writable by users, and this program runs as administrator:
; a link found there is never followed.
!macro DefineIsLink prefix
Function ${prefix}IsLink
    Exch $0
    System::Call 'kernel32::GetFileAttributesW(w r0) i .r0'
    ${If} $0 = -1
        StrCpy $0 0
    ${Else}
        IntOp $0 $0 & 0x400  ; FILE_ATTRIBUTE_REPARSE_POINT
        ${IfThen} $0 <> 0 ${|} StrCpy $0 1 ${|}
    ${EndIf}
    Exch $0
FunctionEnd
!macroend
!insertmacro DefineIsLink ""
!insertmacro DefineIsLink "un."

; Gives the folder $0 the access list of SDDL $1, owner included, protected from inheritance and
; passed on to the files already in it. Without the right to take ownership (a folder a user
; made), the access list alone.
Function ProtectFolder
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w r1, i 1, *p .r2, p 0) i .r3'
    ${If} $3 = 0
        DetailPrint "Cannot read the access list for $0"
        Return
    ${EndIf}
    System::Call 'advapi32::GetSecurityDescriptorOwner(p r2, *p .r4, *i .r5)'
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r2, *i .r5, *p .r6, *i .r7)'
    ; SE_FILE_OBJECT; OWNER | DACL | PROTECTED_DACL
    System::Call 'advapi32::SetNamedSecurityInfoW(w r0, i 1, i 0x80000005, p r4, p 0, p r6, p 0) i .r3'
    ${If} $3 <> 0
        System::Call 'advapi32::SetNamedSecurityInfoW(w r0, i 1, i 0x80000004, p 0, p 0, p r6, p 0) i .r3'
    ${EndIf}
    ${IfThen} $3 <> 0 ${|} DetailPrint "Cannot set the access list of $0 (error $3)" ${|}
    System::Call 'kernel32::LocalFree(p r2)'
FunctionEnd

; Makes the folder $0 with the access list of SDDL $1, or gives an existing one that list. A
; link in its place (made before the installation by any user) is removed, not followed; one
; that cannot be removed leaves the folder as it is. Sets the error flag when it is not done.
Function MakeProtectedFolder
    ClearErrors
    Push $0
    Call IsLink
    Pop $2
    ${If} $2 = 1
        DetailPrint "Removing the link $0"
        RMDir "$0"
        Push $0
        Call IsLink
        Pop $2
        ${If} $2 = 1
            SetErrors
            Return
        ${EndIf}
    ${EndIf}
    CreateDirectory "$0"
    Call ProtectFolder
FunctionEnd

Function MakeDataFolder
    StrCpy $0 "${DATA_PARENT}"
    StrCpy $1 "${DATA_PARENT_SDDL}"
    Call MakeProtectedFolder
    ${IfNot} ${Errors}
        StrCpy $0 "${DATA_FOLDER}"
        StrCpy $1 "${DATA_FOLDER_SDDL}"
        Call MakeProtectedFolder
    ${EndIf}
FunctionEnd

; Puts the identity ramp (entry i of each channel = i * 256) on every display: once the program
; and its loader are gone, nothing else would ever take a correction off a display.
Function un.IdentityRamps
    System::Alloc 1536
    Pop $R0
    ${If} $R0 P= 0
        Return
    ${EndIf}
    StrCpy $R1 0
    ${Do}
        IntOp $R2 $R1 % 256
        IntOp $R2 $R2 * 256
        IntOp $R3 $R1 * 2
        IntPtrOp $R4 $R0 + $R3
        System::Call '*$R4(&i2 R2)'
        IntOp $R1 $R1 + 1
    ${LoopUntil} $R1 >= 768
    ; Display device names run from \\.\DISPLAY1; a missing one makes no device context.
    StrCpy $R1 1
    ${Do}
        System::Call 'gdi32::CreateDCW(w "DISPLAY", w "\\.\DISPLAY$R1", p 0, p 0) p .R5'
        ${If} $R5 P<> 0
            System::Call 'gdi32::SetDeviceGammaRamp(p R5, p R0) i .R6'
            DetailPrint "Identity ramp on \\.\DISPLAY$R1: $R6"
            System::Call 'gdi32::DeleteDC(p R5)'
        ${EndIf}
        IntOp $R1 $R1 + 1
    ${LoopUntil} $R1 > 16
    System::Free $R0
FunctionEnd

Section "!$(SecProgram)" SecProgram
    SectionIn RO
    Call StopLoader
    SetOutPath "$INSTDIR"
    File "${PROGRAM_DIR}/Tonecast.exe"
    File "${PROGRAM_DIR}/Tonestart.exe"
    File "${DATA_DIR}/English.lng"
    File "${DATA_DIR}/Deutsch.lng"
    File "${DATA_DIR}/Français.lng"
    File "${DATA_DIR}/Español.lng"
    File "${DATA_DIR}/Italiano.lng"
    File "${DATA_DIR}/Polski.lng"
    File "${DATA_DIR}/Русский.lng"
    File "${DATA_DIR}/日本語.lng"
    File "${DATA_DIR}/简体中文.lng"
    File "${DATA_DIR}/TonecastRef.sRGB.jpg"
    ; Its file time dates the installation for "Tonecast.exe /uninstall": an upgrade keeps
    ; the time of the first installation.
    ClearErrors
    GetFileTime "$INSTDIR\Uninstall.exe" $3 $4
    StrCpy $5 "$INSTDIR\Uninstall.exe"
    WriteUninstaller "$5"
    ${IfNot} ${Errors}
        System::Int64Op $3 << 32
        Pop $3
        System::Int64Op $3 | $4
        Pop $3
        ; FILE_WRITE_ATTRIBUTES, OPEN_EXISTING
        System::Call 'kernel32::CreateFileW(w r5, i 0x100, i 0, p 0, i 3, i 0, p 0) p .r6'
        System::Call 'kernel32::SetFileTime(p r6, p 0, p 0, *l r3)'
        System::Call 'kernel32::CloseHandle(p r6)'
    ${EndIf}
    CreateShortcut "$SMPROGRAMS\Tonecast.lnk" "$INSTDIR\Tonecast.exe"
    Call MakeDataFolder
    WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Tonestart.exe"'
    ; An upgrade moves the installing user to the Run key; every other user's shortcut goes at
    ; their next OK, and until then starts a second loader that ends at once (one a session).
    !insertmacro DeleteOwnStartupShortcut

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velmor"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tonecast.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Lifts the limit Windows puts on how far a ramp may depart from the identity. What was there
; before is recorded once, by the installation that changed it, for the uninstaller.
Section /o "$(SecGammaRange)" SecGammaRange
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "${GAMMA_CHANGED}"
    ${If} $0 != "1"
        ClearErrors
        ReadRegDWORD $1 HKLM "${ICM_KEY}" "${GAMMA_RANGE}"
        ${IfNot} ${Errors}
            ${If} $1 = 256
                DetailPrint "${GAMMA_RANGE} is already 256"
                Return
            ${EndIf}
            WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${GAMMA_BEFORE}" $1
        ${Else}
            ReadRegStr $2 HKLM "${ICM_KEY}" "${GAMMA_RANGE}"
            ${If} $2 != ""
                ; A value of another type is not the installer's to replace.
                DetailPrint "${GAMMA_RANGE} is not a number: left as it is"
                Return
            ${EndIf}
            DeleteRegValue HKLM "${UNINSTALL_KEY}" "${GAMMA_BEFORE}"
        ${EndIf}
        WriteRegStr HKLM "${UNINSTALL_KEY}" "${GAMMA_CHANGED}" "1"
    ${EndIf}
    WriteRegDWORD HKLM "${ICM_KEY}" "${GAMMA_RANGE}" 256
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(SecProgramDesc)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecGammaRange} $(SecGammaRangeDesc)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function FinishPagePre
    StrCpy $FinishText "$(MUI_TEXT_FINISH_INFO_TEXT)"
    ${If} ${SectionIsSelected} ${SecGammaRange}
        StrCpy $FinishText "$FinishText$\r$\n$\r$\n$(FinishGammaRange)"
    ${EndIf}
FunctionEnd

Function .onInit
    SetRegView 64
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
        SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/GAMMARANGE" $1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecGammaRange} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Section "-un.Program"
    ; The colour profiles OK installed go from the displays and the colour folder, also when
    ; silent: the program's quiet step shows nothing and reads no file users can write.
    ${If} ${FileExists} "$INSTDIR\Tonecast.exe"
        ExecWait '"$INSTDIR\Tonecast.exe" /removeprofiles' $0
        DetailPrint "Colour profiles taken back (exit code $0)"
    ${EndIf}
    ; The maker's uninstall page, told how old the installation is (from Uninstall.exe); not
    ; when silent, where nobody would read it (a deployment tool, or SYSTEM).
    ${IfNot} ${Silent}
    ${AndIf} ${FileExists} "$INSTDIR\Tonecast.exe"
        ExecWait '"$INSTDIR\Tonecast.exe" /uninstall'
    ${EndIf}
    Call un.StopLoadersEverywhere
    Call un.StopLoader
    Call un.IdentityRamps
    ; A file still in use (a calibration window open in another session) goes at the restart.
    Delete /REBOOTOK "$INSTDIR\Tonecast.exe"
    Delete /REBOOTOK "$INSTDIR\Tonestart.exe"
    Delete "$INSTDIR\English.lng"
    Delete "$INSTDIR\Deutsch.lng"
    Delete "$INSTDIR\Français.lng"
    Delete "$INSTDIR\Español.lng"
    Delete "$INSTDIR\Italiano.lng"
    Delete "$INSTDIR\Polski.lng"
    Delete "$INSTDIR\Русский.lng"
    Delete "$INSTDIR\日本語.lng"
    Delete "$INSTDIR\简体中文.lng"
    Delete "$INSTDIR\TonecastRef.sRGB.jpg"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir /REBOOTOK "$INSTDIR"
    RMDir /REBOOTOK "$INSTDIR\.."
    Delete "$SMPROGRAMS\Tonecast.lnk"
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    !insertmacro DeleteOwnStartupShortcut

    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "${GAMMA_CHANGED}"
    ; Only while the value is still the installer's 256 (a number): one changed since is left.
    ClearErrors
    ReadRegDWORD $2 HKLM "${ICM_KEY}" "${GAMMA_RANGE}"
    ${If} ${Errors}
    ${OrIf} $2 <> 256
        StrCpy $0 ""
    ${EndIf}
    ${If} $0 == "1"
        ClearErrors
        ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "${GAMMA_BEFORE}"
        ${If} ${Errors}
            DeleteRegValue HKLM "${ICM_KEY}" "${GAMMA_RANGE}"
        ${Else}
            WriteRegDWORD HKLM "${ICM_KEY}" "${GAMMA_RANGE}" $1
        ${EndIf}
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Deletes the file $0 unless it is a link or a folder: only the program's own files go.
Function un.DeleteDataFile
    System::Call 'kernel32::GetFileAttributesW(w r0) i .r1'
    ${If} $1 <> -1
        IntOp $1 $1 & 0x410  ; FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY
        ${IfThen} $1 = 0 ${|} Delete /REBOOTOK "$0" ${|}
    ${EndIf}
FunctionEnd
!macro DeleteDataFile name
    StrCpy $0 "${DATA_FOLDER}\${name}"
    Call un.DeleteDataFile
!macroend

; The data folder of an installed Tonecast. Users can write into it, so nothing in it is
; deleted by walking it: only the files the program writes, by name, then the folders if they
; are empty. A folder that is itself a link is left alone.
Section /o "un.$(UnSecData)" UnSecData
    Push "${DATA_PARENT}"
    Call un.IsLink
    Pop $2
    Push "${DATA_FOLDER}"
    Call un.IsLink
    Pop $3
    ${If} $2 = 0
    ${AndIf} $3 = 0
        StrCpy $4 1
        ${Do}
            !insertmacro DeleteDataFile "Tonecast$4.lut"
            !insertmacro DeleteDataFile "Tonecast$4.icm"
            IntOp $4 $4 + 1
        ${LoopWhile} $4 <= ${MAX_DISPLAYS}
        ; The settings of earlier versions; each user's own now live in their profile.
        !insertmacro DeleteDataFile "Tonecast.settings"
        RMDir "${DATA_FOLDER}"
        RMDir "${DATA_PARENT}"
    ${EndIf}
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "$(NeedAdmin)" /SD IDOK
        SetErrorLevel 740
        Quit
    ${EndIf}
FunctionEnd

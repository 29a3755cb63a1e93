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
!include WinMessages.nsh

!define DISPLAY_NAME "Velmor Tonecast ${VERSION}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor Tonecast"
!define ICM_KEY "SOFTWARE\Microsoft\Windows NT\CurrentVersion\ICM"
!define GAMMA_RANGE "GdiIcmGammaRange"
; What the installer keeps in its "Apps & features" entry about the gamma-range value: set
; to 1 when it changed the value, and the value it found (absent when there was none).
!define GAMMA_CHANGED "TonecastGammaRangeChanged"
!define GAMMA_BEFORE "TonecastGammaRangeBefore"
; The resident loader's hidden top-level window; it ends cleanly on WM_CLOSE.
!define LOADER_CLASS "TonestartLoader"

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
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UnOptionsIntro)"
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
    ; The maker's uninstall page, told how old the installation is (from Uninstall.exe).
    ${If} ${FileExists} "$INSTDIR\Tonecast.exe"
        ExecWait '"$INSTDIR\Tonecast.exe" /uninstall'
    ${EndIf}
    Call un.StopLoader
    Delete "$INSTDIR\Tonecast.exe"
    Delete "$INSTDIR\Tonestart.exe"
    Delete "$INSTDIR\English.lng"
    Delete "$INSTDIR\Deutsch.lng"
    Delete "$INSTDIR\Français.lng"
    Delete "$INSTDIR\Español.lng"
    Delete "$INSTDIR\TonecastRef.sRGB.jpg"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."
    Delete "$SMPROGRAMS\Tonecast.lnk"
    ; The log-on shortcut, in the Startup folder where the program writes it.
    ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders" "Startup"
    ${If} $0 != ""
        Delete "$0\Tonestart.lnk"
    ${EndIf}

    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "${GAMMA_CHANGED}"
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

; The data folder of an installed Tonecast: ramp files and settings.
Section /o "un.$(UnSecData)" UnSecData
    RMDir /r "$APPDATA\Velmor\Tonecast"
    RMDir "$APPDATA\Velmor"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecData} $(UnSecDataDesc)
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

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

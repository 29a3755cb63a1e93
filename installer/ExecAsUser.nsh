; Starting a program as the signed-in user from an elevated installer: the desktop shell
; (Explorer, which runs with the user's own rights) is asked to start it through its
; IShellDispatch2::ShellExecute, reached from the desktop window's folder view. A program started
; by the installer itself would inherit the administrator's rights.
;
; Call with the program's full path in $0. Sets $0 to "" when the shell started it, to an error
; text otherwise, in which case nothing was started. Registers $1-$9 and $R0-$R5 are kept.

!macro DefineExecAsSignedInUser prefix
Function ${prefix}ExecAsSignedInUser
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    Push $6
    Push $7
    Push $8
    Push $9
    Push $R0
    Push $R1
    Push $R2
    Push $R3
    Push $R4
    Push $R5
    ; COM on this thread, for as long as this takes (S_OK or S_FALSE: to be ended again).
    System::Call 'ole32::CoInitializeEx(p 0, i 2) i .R5'
    ; Interface pointers, 0 until obtained; each is released at the end.
    StrCpy $1 0  ; IShellWindows
    StrCpy $5 0  ; IDispatch of the desktop window
    StrCpy $6 0  ; IServiceProvider
    StrCpy $7 0  ; IShellBrowser
    StrCpy $8 0  ; IShellView
    StrCpy $R0 0 ; IDispatch of the view's background
    StrCpy $R1 0 ; IShellFolderViewDual
    StrCpy $R2 0 ; IDispatch of the shell application
    StrCpy $R3 0 ; IShellDispatch2
    StrCpy $R4 0 ; the path as a BSTR
    ; Two VARIANTs (24 bytes each, zeroed): the desktop (VT_I4 0, CSIDL_DESKTOP), and an empty one.
    System::Alloc 24
    Pop $2
    System::Call '*$2(&i2 3)'
    System::Alloc 24
    Pop $3
    ; CLSCTX_LOCAL_SERVER: the shell's own, in Explorer's process.
    System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 4, g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r9'
    ${IfThen} $9 != 0 ${|} Goto failed ${|}
    ; IShellWindows::FindWindowSW(desktop, empty, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH, &dispatch)
    System::Call '$1->15(p r2, p r3, i 8, *i .r4, i 1, *p .r5) i .r9'
    ${IfThen} $5 P= 0 ${|} Goto failed ${|}
    System::Call '$5->0(g "{6D5140C1-7436-11CE-8034-00AA006009FA}", *p .r6) i .r9'
    ${IfThen} $6 P= 0 ${|} Goto failed ${|}
    ; IServiceProvider::QueryService(SID_STopLevelBrowser, IID_IShellBrowser)
    System::Call '$6->3(g "{4C96BE40-915C-11CF-99D3-00AA004AE837}", g "{000214E2-0000-0000-C000-000000000046}", *p .r7) i .r9'
    ${IfThen} $7 P= 0 ${|} Goto failed ${|}
    ; IShellBrowser::QueryActiveShellView
    System::Call '$7->15(*p .r8) i .r9'
    ${IfThen} $8 P= 0 ${|} Goto failed ${|}
    ; IShellView::GetItemObject(SVGIO_BACKGROUND, IID_IDispatch)
    System::Call '$8->15(i 0, g "{00020400-0000-0000-C000-000000000046}", *p .R0) i .r9'
    ${IfThen} $R0 P= 0 ${|} Goto failed ${|}
    System::Call '$R0->0(g "{E7A1AF80-4D96-11CF-960F-00C04FD7D062}", *p .R1) i .r9'
    ${IfThen} $R1 P= 0 ${|} Goto failed ${|}
    ; IShellFolderViewDual::get_Application
    System::Call '$R1->7(*p .R2) i .r9'
    ${IfThen} $R2 P= 0 ${|} Goto failed ${|}
    System::Call '$R2->0(g "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}", *p .R3) i .r9'
    ${IfThen} $R3 P= 0 ${|} Goto failed ${|}
    System::Call 'oleaut32::SysAllocString(w r0) p .R4'
    ; IShellDispatch2::ShellExecute(file, args, folder, operation, show): the four VARIANTs go
    ; by value, which on x64 means by the address of a copy; empty ones take the defaults.
    System::Call '$R3->31(p R4, p r3, p r3, p r3, p r3) i .r9'
    ${IfThen} $9 != 0 ${|} Goto failed ${|}
    StrCpy $0 ""
    Goto done
failed:
    StrCpy $0 "the desktop shell did not start it (HRESULT $9)"
done:
    ${If} $R4 P<> 0
        System::Call 'oleaut32::SysFreeString(p R4)'
    ${EndIf}
    ${If} $R3 P<> 0
        System::Call '$R3->2()'
    ${EndIf}
    ${If} $R2 P<> 0
        System::Call '$R2->2()'
    ${EndIf}
    ${If} $R1 P<> 0
        System::Call '$R1->2()'
    ${EndIf}
    ${If} $R0 P<> 0
        System::Call '$R0->2()'
    ${EndIf}
    ${If} $8 P<> 0
        System::Call '$8->2()'
    ${EndIf}
    ${If} $7 P<> 0
        System::Call '$7->2()'
    ${EndIf}
    ${If} $6 P<> 0
        System::Call '$6->2()'
    ${EndIf}
    ${If} $5 P<> 0
        System::Call '$5->2()'
    ${EndIf}
    ${If} $1 P<> 0
        System::Call '$1->2()'
    ${EndIf}
    System::Free $2
    System::Free $3
    ${If} $R5 = 0
    ${OrIf} $R5 = 1
        System::Call 'ole32::CoUninitialize()'
    ${EndIf}
    Pop $R5
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Pop $R0
    Pop $9
    Pop $8
    Pop $7
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
FunctionEnd
!macroend

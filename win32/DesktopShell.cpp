#include "win32/DesktopShell.h"

#include <windows.h>

#include <exdisp.h>
#include <oleauto.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "win32/Win32AppServices.h"
#include "win32/Win32Handles.h"

bool ProcessElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

bool OpenThroughDesktopShell(const std::wstring& target) {
    EnsureCom();
    // The desktop's window, its folder view, and from that the shell's automation object, all
    // living in the desktop shell's process.
    ComPtr<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.OutPointer())))
        return false;
    VARIANT desktop{}, empty{};
    desktop.vt = VT_I4;
    desktop.lVal = 0;  // CSIDL_DESKTOP
    long window = 0;
    ComPtr<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              reinterpret_cast<IDispatch**>(found.OutPointer())) != S_OK ||
        !found)
        return false;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> browser;
    ComPtr<IShellView> view;
    ComPtr<IDispatch> background;
    ComPtr<IShellFolderViewDual> folderView;
    ComPtr<IDispatch> application;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(found->QueryInterface(IID_IServiceProvider, services.OutPointer())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                      browser.OutPointer())) ||
        FAILED(browser->QueryActiveShellView(reinterpret_cast<IShellView**>(view.OutPointer()))) ||
        !view ||
        FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutPointer())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutPointer())) ||
        FAILED(
            folderView->get_Application(reinterpret_cast<IDispatch**>(application.OutPointer()))) ||
        !application ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.OutPointer())))
        return false;
    BSTR file = SysAllocString(target.c_str());
    if (!file)
        return false;
    const HRESULT started = shell->ShellExecute(file, empty, empty, empty, empty);
    SysFreeString(file);
    return SUCCEEDED(started);
}

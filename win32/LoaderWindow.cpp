#include "win32/LoaderWindow.h"

#include <exception>
#include <iterator>
#include <string>

#include "app/Folders.h"
#include "app/Language.h"
#include "app/Loader.h"
#include "app/Main.h"
#include "app/Platform.h"
#include "ramp/Displays.h"
#include "win32/MainWindow.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

// Last: its macros would rename the interface methods declared above.
#include <windows.h>

#include <shellapi.h>
#include <wtsapi32.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT_PTR kCheckTimer = 1;
// One loader per session: a second start finds the name taken.
constexpr const wchar_t* kInstanceMutexName = L"Local\\TonestartLoader";

struct LoaderRun {
    Loader* loader = nullptr;
    // Sent by the shell when the taskbar (and so the notification area) is created anew.
    UINT taskbarCreated = 0;
    std::string tip;  // the tooltip shown, so that it is changed only when it changes
};
LoaderRun g_run;

void NotifyIcon(HWND hwnd, DWORD action) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    if (!data.hIcon)
        data.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    // The tip field holds 127 characters; a longer list of displays is cut.
    Widen(g_run.tip).copy(data.szTip, std::size(data.szTip) - 1);
    Shell_NotifyIconW(action, &data);
}

void UpdateTip(HWND hwnd) {
    std::string tip = g_run.loader->TrayTip();
    if (tip == g_run.tip)
        return;
    g_run.tip = std::move(tip);
    NotifyIcon(hwnd, NIM_MODIFY);
}

// The last event's bad news, once, as a notification from the icon: nobody hovers over a tip.
void ShowNotice(HWND hwnd) {
    const std::wstring notice = Widen(g_run.loader->TakeNotice());
    if (notice.empty())
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = hwnd;
    data.uID = kTrayIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    notice.copy(data.szInfo, std::size(data.szInfo) - 1);
    Widen("Tonecast").copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void ShowMenu(HWND hwnd) {
    const PopupMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    AppendMenuW(menu.get(), MF_STRING, kLoaderReapply, Widen(LangText("TrayReapply")).c_str());
    AppendMenuW(menu.get(), MF_STRING, kLoaderOpen, Widen(LangText("TrayOpen")).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kLoaderExit, Widen(LangText("TrayExit")).c_str());
    POINT at{};
    GetCursorPos(&at);
    // Without being the foreground window the menu would not close on a click elsewhere.
    SetForegroundWindow(hwnd);
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, hwnd, nullptr);
    PostMessageW(hwnd, WM_NULL, 0, 0);
}

void OnCommand(HWND hwnd, WORD command) {
    switch (command) {
        case kLoaderReapply:
            g_run.loader->OnReapply();
            break;
        case kLoaderOpen: {
            // Appended, not concatenated from a literal: GCC 12 warns falsely about the latter.
            std::string command(1, '"');
            command += GetProgramFolder();
            command += "Tonecast.exe\"";
            TheShell().RunCommand(command);
            break;
        }
        case kLoaderExit:
            DestroyWindow(hwnd);
            return;
    }
}

bool IsReconnect(WPARAM sessionChange) {
    return sessionChange == WTS_SESSION_UNLOCK || sessionChange == WTS_CONSOLE_CONNECT ||
           sessionChange == WTS_REMOTE_CONNECT;
}

LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Loader& loader = *g_run.loader;
    switch (message) {
        case WM_DISPLAYCHANGE:
            loader.OnDisplayChange();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
                loader.OnReapply();
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (IsReconnect(wParam))
                loader.OnReapply();
            break;
        case WM_TIMER:
            if (wParam != kCheckTimer)
                return 0;
            loader.Check();
            break;
        case kTrayMessage:
            if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU)
                ShowMenu(hwnd);
            return 0;
        case WM_COMMAND:
            OnCommand(hwnd, LOWORD(wParam));
            if (!IsWindow(hwnd))
                return 0;
            break;
        case WM_DESTROY:
            KillTimer(hwnd, kCheckTimer);
            NotifyIcon(hwnd, NIM_DELETE);
            WTSUnRegisterSessionNotification(hwnd);
            PostQuitMessage(0);
            return 0;
        default:
            if (g_run.taskbarCreated != 0 && message == g_run.taskbarCreated) {
                NotifyIcon(hwnd, NIM_ADD);
                return 0;
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    UpdateTip(hwnd);
    ShowNotice(hwnd);
    return 0;
}

LRESULT CALLBACK LoaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may leave a window procedure; a resident loader has nobody to tell either.
    try {
        return HandleMessage(hwnd, message, wParam, lParam);
    } catch (const std::exception&) {
        return 0;
    }
}

int RunLoaderWindow(Loader& loader) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = LoaderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kLoaderWindowClassName;
    if (!RegisterClassW(&windowClass))
        return 1;
    g_run.loader = &loader;
    g_run.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    g_run.tip = loader.TrayTip();
    // Top-level (not message-only): only those receive the display and power broadcasts.
    // Never shown.
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kLoaderWindowClassName, L"Tonestart", WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;
    NotifyIcon(hwnd, NIM_ADD);
    ShowNotice(hwnd);  // the log-on fade's
    WTSRegisterSessionNotification(hwnd, NOTIFY_FOR_THIS_SESSION);
    SetTimer(hwnd, kCheckTimer, kLoaderCheckIntervalMs, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    g_run.loader = nullptr;
    return 0;
}

}  // namespace

int RunResidentLoader() {
    const KernelObject instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (!instanceMutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    int exitCode = 0;
    try {
        LoadSettingsAndLanguage();
        EnumDisplays();
        Loader loader(GetDataFolder(kSubPath), [] { return TheShell().CalibrationWindowOpen(); });
        if (loader.Start())
            exitCode = RunLoaderWindow(loader);
    } catch (const std::exception&) {
        // Started at log-on with nobody to answer a message: it ends quietly.
        exitCode = 1;
    }
    ReleaseDisplays();
    return exitCode;
}

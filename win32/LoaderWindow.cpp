#include "win32/LoaderWindow.h"

#include <exception>
#include <memory>
#include <string>

#include "app/Folders.h"
#include "app/Loader.h"
#include "app/Main.h"
#include "app/Platform.h"
#include "ramp/Displays.h"
#include "win32/LoaderTray.h"
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
constexpr UINT_PTR kCheckTimer = 1;
// A check soon after the calibration window said it closed, by when it is surely gone.
constexpr UINT_PTR kAfterCalibrationTimer = 2;
constexpr UINT kAfterCalibrationMs = 300;
// Registered by both programs: wParam 1 when a calibration window opens, 0 when it closed.
constexpr const wchar_t* kCalibrationMessageName = L"TonecastCalibrationWindow";
// One loader per session: a second start finds the name taken.
constexpr const wchar_t* kInstanceMutexName = L"Local\\TonestartLoader";

struct LoaderRun {
    Loader* loader = nullptr;
    std::unique_ptr<LoaderTray> tray;
    // Sent by the shell when the taskbar (and so the notification area) is created anew.
    UINT taskbarCreated = 0;
    UINT calibrationWindow = 0;
};
LoaderRun g_run;

// A full-screen Direct3D program (a game) or presentation mode: the loader leaves the ramps to
// it. Where the shell cannot tell, nothing runs full screen.
bool FullScreenRunning() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state)))
        return false;
    return state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

std::int64_t SteadyMs() {
    return static_cast<std::int64_t>(GetTickCount64());
}

// The tooltip, and the window's title too, so that another program (a test) can read it; and
// the news of the moment, once, as a notification: nobody hovers over a tip.
void ShowState(HWND hwnd) {
    const std::string tip = g_run.loader->TrayTip();
    g_run.tray->SetTip(tip);
    SetWindowTextW(hwnd, Widen(tip).c_str());
    g_run.tray->Notify(g_run.loader->TakeNotice());
}

void OnCommand(HWND hwnd, WORD command) {
    switch (command) {
        case kLoaderReapply:
            g_run.loader->ReapplyNow();
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
            g_run.tray->ReloadIcon();  // a new scale on the taskbar's display comes this way too
            break;
        case WM_DPICHANGED:
            g_run.tray->ReloadIcon();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
                loader.OnReapply();
            ShowState(hwnd);
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (IsReconnect(wParam))
                loader.OnReapply();
            break;
        case WM_TIMER:
            if (wParam == kAfterCalibrationTimer)
                KillTimer(hwnd, kAfterCalibrationTimer);
            else if (wParam != kCheckTimer)
                return 0;
            // The shell refused the icon at a busy log-on: without it there is no Exit.
            if (!g_run.tray->Added())
                g_run.tray->Add();
            loader.Check();
            break;
        case kTrayMessage:
            if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU)
                g_run.tray->ShowMenu(loader.PausedNotes());
            return 0;
        case WM_COMMAND:
            OnCommand(hwnd, LOWORD(wParam));
            if (!IsWindow(hwnd))
                return 0;
            break;
        case WM_ENDSESSION:
            // The Restart Manager closes the loader of every session this way when the
            // uninstaller (or an update) needs its file: it ends as through its menu's Exit. At
            // a sign-out the system ends the process itself.
            if (wParam && (lParam & ENDSESSION_CLOSEAPP))
                DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kCheckTimer);
            g_run.tray.reset();
            WTSUnRegisterSessionNotification(hwnd);
            PostQuitMessage(0);
            return 0;
        default:
            if (g_run.taskbarCreated != 0 && message == g_run.taskbarCreated) {
                g_run.tray->Readd();
                return 0;
            }
            if (g_run.calibrationWindow != 0 && message == g_run.calibrationWindow) {
                if (wParam) {
                    loader.OnCalibrationOpened();
                } else {
                    loader.OnCalibrationClosed();
                    SetTimer(hwnd, kAfterCalibrationTimer, kAfterCalibrationMs, nullptr);
                }
                break;
            }
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    ShowState(hwnd);
    return 0;
}

LRESULT CALLBACK LoaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may leave a window procedure; a resident loader has nobody to tell either.
    try {
        if (g_run.loader && g_run.tray)
            return HandleMessage(hwnd, message, wParam, lParam);
    } catch (const std::exception&) {
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunLoaderWindow(Loader& loader) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = LoaderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kLoaderWindowClassName;
    if (!RegisterClassW(&windowClass))
        return 1;
    g_run.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    g_run.calibrationWindow = RegisterWindowMessageW(kCalibrationMessageName);
    // Top-level (not message-only): only those receive the display and power broadcasts.
    // Never shown.
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kLoaderWindowClassName, L"Tonestart", WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;
    g_run.tray = std::make_unique<LoaderTray>(hwnd, kTrayMessage);
    g_run.loader = &loader;
    g_run.tray->Add();
    ShowState(hwnd);  // with the log-on fade's notice
    WTSRegisterSessionNotification(hwnd, NOTIFY_FOR_THIS_SESSION);
    SetTimer(hwnd, kCheckTimer, kLoaderCheckIntervalMs, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    g_run.tray.reset();
    g_run.loader = nullptr;
    return 0;
}

void TellLoader(bool calibrationWindowOpen) {
    const HWND loader = FindWindowW(kLoaderWindowClassName, nullptr);
    if (loader)
        PostMessageW(loader, RegisterWindowMessageW(kCalibrationMessageName),
                     calibrationWindowOpen ? 1 : 0, 0);
}

}  // namespace

CalibrationWindowNotice::CalibrationWindowNotice() {
    TellLoader(true);
}

CalibrationWindowNotice::~CalibrationWindowNotice() {
    TellLoader(false);
}

LoaderSurroundings SystemSurroundings() {
    return {[] { return TheShell().CalibrationWindowOpen(); }, FullScreenRunning, SteadyMs};
}

int RunResidentLoader() {
    const KernelObject instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (!instanceMutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    int exitCode = 0;
    try {
        LoadSettingsAndLanguage();
        // Started at log-on with nobody to answer a message box.
        EnumDisplays(ErrorBoxes::Suppress);
        Loader loader(GetDataFolder(kSubPath), SystemSurroundings());
        if (loader.Start())
            exitCode = RunLoaderWindow(loader);
    } catch (const std::exception&) {
        // It ends quietly.
        exitCode = 1;
    }
    ReleaseDisplays();
    return exitCode;
}

// Test build of Tonecast.exe that crashes once its calibration window is open: an access
// violation on the user-interface thread, in a message handler, like a fault in a driver call
// made from one. Built only for the end-to-end tests; the shipped program has no such path.
#include <windows.h>

#include "win32/MainWindow.h"
#include "win32/Program.h"

namespace {

const UINT kCrashMessage = WM_APP + 0x2A;
WNDPROC g_original = nullptr;

LRESULT CALLBACK CrashingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCrashMessage)
        *static_cast<volatile int*>(nullptr) = 1;
    return CallWindowProcW(g_original, hwnd, message, wParam, lParam);
}

// Waits for the visible window, lets its creation finish, then has it crash.
DWORD WINAPI CrashOnceOpen(void*) {
    for (int i = 0; i < 600; ++i) {
        HWND window = FindWindowW(kMainWindowClassName, nullptr);
        if (window && IsWindowVisible(window)) {
            Sleep(1500);
            g_original = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CrashingProc)));
            PostMessageW(window, kCrashMessage, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CloseHandle(CreateThread(nullptr, 0, CrashOnceOpen, nullptr, 0, nullptr));
    return RunTonecast();
}

// The baseline of the start-up benchmark: a bare Win32 program that opens one full-screen window
// and paints it black, tracing its first paint the way Tonecast.exe does.
#include "BlackWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    TraceStartup("main");
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BlackWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "BareWindow";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "BareWindow", "Bare window", WS_POPUP | WS_VISIBLE,
                                0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, instance, nullptr);
    return RunBlackWindow(hwnd);
}

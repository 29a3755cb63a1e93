#pragma once
// The window of the start-up benchmark's reference programs: painted black, its first paint
// traced the way Tonecast.exe traces its own, closed by the benchmark.
#include <windows.h>

#include "win32/StartupTrace.h"

inline LRESULT CALLBACK BlackWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(hwnd, &paint);
        static bool first = true;
        if (first)
            TraceStartup("first paint");
        first = false;
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Paints and waits until the window is closed.
inline int RunBlackWindow(HWND window) {
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

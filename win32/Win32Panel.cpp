#include "win32/Win32Panel.h"

#include <exception>

#include "app/Main.h"
#include "win32/Win32ControlRouting.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Text.h"
#include "win32/Win32WindowBackground.h"

namespace {

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // An error from an event handler must not unwind through the system's code.
    try {
        if (RouteToControl(message, wParam, lParam, result))
            return result;
    } catch (const std::exception& error) {
        MessageBoxW(GetAncestor(hwnd, GA_ROOT), Widen(error.what()).c_str(),
                    Widen(kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            // Painted here rather than on erase: the main window repaints its pattern without
            // asking its children to erase, and a panel must cover that every time.
            const PaintingDC paint(hwnd);
            FillRect(paint.get(), &paint.Area(), SolidBrush(WindowBackground(hwnd)));
            return 0;
        }
        case WM_SIZE:
            LayOutAnchoredChildren(hwnd);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterPanelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClassName;
    if (RegisterClassExW(&wc))
        return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Win32Panel::Win32Panel(HWND parent, const PanelArgs& args, int dpi) {
    // Tab and Shift+Tab walk into the panel's own controls.
    Create(kPanelClassName, args.text, WS_VISIBLE, WS_EX_CONTROLPARENT, parent, Design(args, dpi),
           dpi, args.align);
    SetWindowBackground(hwnd_, args.background);
    if (args.windowBackground)
        FollowRootBackground(hwnd_);
}

Win32Panel::~Win32Panel() {
    if (OwnsWindow())
        ForgetWindowBackground(hwnd_);
}

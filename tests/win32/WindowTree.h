#pragma once
// The real windows as the window tests look at them: class, text, place, children and the
// extent of a text in a control's own font.

#include <windows.h>

#include <string>
#include <vector>

#include "win32/Win32Handles.h"
#include "win32/Win32Text.h"

// Real windows need an X display under Wine; tests skip without one.
inline bool HaveDisplay() {
    return GetEnvironmentVariableA("DISPLAY", nullptr, 0) > 0;
}

inline std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Narrow(name);
}

inline std::string TextOf(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return Narrow(text);
}

inline RECT ClientOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The direct children, in z-order.
inline std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        found.push_back(child);
    return found;
}

// Every visible window below `window`, at any depth.
inline std::vector<HWND> VisibleDescendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            if (IsWindowVisible(child))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// `text` measured by DrawText in the control's font, broken at `wrapWidth` with DT_WORDBREAK.
inline SIZE TextExtent(HWND control, const std::string& text, UINT flags, int wrapWidth) {
    const WindowDC dc(control);
    const SelectedObject font(dc.get(),
                              reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring wide = Widen(text);
    RECT rect{0, 0, wrapWidth, 0};
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &rect, flags | DT_CALCRECT);
    return {rect.right, rect.bottom};
}

#include "win32/Win32ControlRouting.h"

#include "win32/Win32ControlBase.h"

bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (auto* control = Win32ControlBase::FromHwnd(reinterpret_cast<HWND>(lParam))) {
                control->OnCommand(HIWORD(wParam));
                result = 0;
                return true;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (auto* control = Win32ControlBase::FromHwnd(header->hwndFrom))
                return control->OnNotify(*header, result);
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (auto* control = Win32ControlBase::FromHwnd(reinterpret_cast<HWND>(lParam))) {
                if (HBRUSH brush = control->OnCtlColor(reinterpret_cast<HDC>(wParam))) {
                    result = reinterpret_cast<LRESULT>(brush);
                    return true;
                }
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                if (auto* control = Win32ControlBase::FromHwnd(reinterpret_cast<HWND>(wParam))) {
                    if (control->OnSetCursor()) {
                        result = TRUE;
                        return true;
                    }
                }
            }
            break;
    }
    return false;
}

#include "win32/Win32ControlBase.h"

#include <algorithm>
#include <unordered_map>

#include "win32/Win32ControlFonts.h"

namespace {

// Every wrapper's window, while it exists. A lookup here costs nothing, where a window property
// or a comctl32 subclass asks the window manager on every message under Wine.
std::unordered_map<HWND, Win32ControlBase*>& Wrappers() {
    static std::unordered_map<HWND, Win32ControlBase*> wrappers;
    return wrappers;
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return Narrow(text);
}

Win32ControlBase* Win32ControlBase::FromHwnd(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    const auto found = Wrappers().find(hwnd);
    return found == Wrappers().end() ? nullptr : found->second;
}

void Win32ControlBase::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!hwnd)
        return;
    Wrappers()[hwnd] = this;
    classProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcedure)));
    ApplyFont();
}

// Every message of a wrapper's window passes here first. The window's end takes it out of
// the wrappers, whoever destroys it (the wrapper, or the parent taking its children along),
// so that a later window given the same handle is not mistaken for it.
LRESULT CALLBACK Win32ControlBase::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    Win32ControlBase* self = FromHwnd(hwnd);
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC classProcedure = self->classProcedure_;
    if (message == WM_NCDESTROY) {
        Wrappers().erase(hwnd);
        return CallWindowProcW(classProcedure, hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->OnWindowMessage(message, wParam, lParam, result))
        return result;
    return CallWindowProcW(classProcedure, hwnd, message, wParam, lParam);
}

LRESULT Win32ControlBase::CallClassProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(classProcedure_, hwnd_, message, wParam, lParam);
}

bool Win32ControlBase::OwnsWindow() const {
    return hwnd_ != nullptr && IsWindow(hwnd_) && FromHwnd(hwnd_) == this;
}

void Win32ControlBase::DestroyOwnWindow() {
    // The parent may have taken the window with it already, and its handle may since name
    // another window: only a window still marked as this wrapper's is destroyed.
    if (OwnsWindow())
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void Win32ControlBase::ApplyFont() {
    // A control off the screen is painted in its new font when it shows.
    SendMessageW(
        hwnd_, WM_SETFONT,
        reinterpret_cast<WPARAM>(ControlFont(fontPoints_, fontBold_, fontUnderline_, dpi_)),
        IsWindowVisible(hwnd_));
}

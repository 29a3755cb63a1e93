#include "win32/Win32ControlBase.h"

#include <algorithm>

#include "win32/Win32ControlFonts.h"

namespace {

constexpr const char* kControlProperty = "Tonecast.Control";

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

Win32ControlBase* Win32ControlBase::FromHwnd(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return static_cast<Win32ControlBase*>(GetPropA(hwnd, kControlProperty));
}

void Win32ControlBase::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kControlProperty, this);
    ApplyFont();
}

bool Win32ControlBase::OwnsWindow() const {
    return hwnd_ != nullptr && IsWindow(hwnd_) && FromHwnd(hwnd_) == this;
}

void Win32ControlBase::DestroyOwnWindow() {
    // The parent may have taken the window with it already, and its handle may since name
    // another window: only a window still marked as this wrapper's is destroyed.
    if (OwnsWindow()) {
        RemovePropA(hwnd_, kControlProperty);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void Win32ControlBase::ApplyFont() {
    SendMessageA(
        hwnd_, WM_SETFONT,
        reinterpret_cast<WPARAM>(ControlFont(fontPoints_, fontBold_, fontUnderline_, dpi_)), TRUE);
}

#pragma once
// The backdrop window (TBackgroundForm) on Win32: a borderless, black, opaque, topmost popup
// over the whole virtual screen, shown only when there is more than one display.
// The interactive run creates it right after the calibration window, repaints it when the
// page changes, hides it when the window is minimised and destroys it at the end. Every call
// below is harmless when the backdrop does not exist. Nothing shows the backdrop again once it
// has been hidden.

#include <windows.h>

#include <functional>

struct BackgroundWindowArgs {
    HWND mainWindow = nullptr;         // brought to the front when the backdrop activates
    std::function<int()> currentPage;  // read at every paint
    std::function<int()> panelHeight;  // the calibration window's bottom bar, in pixels
};

// Creates the one backdrop of the run; a second call returns the existing window.
HWND CreateBackgroundWindow(const BackgroundWindowArgs& args);
HWND BackgroundWindowHandle();  // nullptr when there is none
void InvalidateBackgroundWindow();
void HideBackgroundWindow();
void DestroyBackgroundWindow();

// Destroys the backdrop when the scope ends, on every way out: the backdrop reads the form
// that the scope's owner keeps alive.
class BackgroundWindowScope {
public:
    BackgroundWindowScope() = default;
    ~BackgroundWindowScope() { DestroyBackgroundWindow(); }
    BackgroundWindowScope(const BackgroundWindowScope&) = delete;
    BackgroundWindowScope& operator=(const BackgroundWindowScope&) = delete;
};

// The window class's name, for tests and tools that look for the window.
constexpr const wchar_t kBackgroundWindowClass[] = L"TBackgroundForm";
// Posted to the backdrop when it becomes active; handling it brings the calibration window to
// the front once the activation under way has finished.
constexpr UINT kBackgroundActivated = WM_APP + 1;

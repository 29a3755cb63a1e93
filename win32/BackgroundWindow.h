#pragma once
// The backdrop window (TBackgroundForm) on Win32: a borderless, black, opaque, topmost popup
// over the whole virtual screen, shown only when there is more than one display.
//
// Use from the calibration window:
//   - right after creating the main window:
//       CreateBackgroundWindow({.mainWindow = hwnd,
//                               .currentPage = [] { return CurrentPage; },
//                               .panelHeight = [] { return Panel height in pixels; }});
//   - in ShowPage, right after CurrentPage is set:  InvalidateBackgroundWindow();
//   - in MinimizeButtonClick:                        HideBackgroundWindow();
//   - at the end of the run (after the message loop): DestroyBackgroundWindow();
// All four are harmless when the backdrop does not exist. Nothing shows the backdrop again
// once it has been hidden.

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

// The window class's name, for tests and tools that look for the window.
constexpr const char kBackgroundWindowClass[] = "TBackgroundForm";
// Posted to the backdrop when it becomes active; handling it brings the calibration window to
// the front once the activation under way has finished.
constexpr UINT kBackgroundActivated = WM_APP + 1;

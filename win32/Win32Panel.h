#pragma once
// The plain child window behind Panel: it paints its background colour and lays out and
// routes for its own children as the main window does for its.

#include <windows.h>

#include "win32/Win32ControlBase.h"

// The class of the panels' windows; registered once per process.
inline constexpr const wchar_t* kPanelClassName = L"TonecastPanel";
bool RegisterPanelClass(HINSTANCE instance);

class Win32Panel : public Win32Control<Panel> {
public:
    Win32Panel(HWND parent, const PanelArgs& args, int dpi);
    ~Win32Panel() override;
};

#pragma once
// Tonestart.exe's resident run: a hidden top-level window that hands the system's display,
// power and session messages and a periodic timer to the Loader, with an icon and its menu in
// the notification area. Free of <windows.h>, so test programs can include it.

#include "app/Loader.h"

// The window's class; the installer and the uninstaller find the loader by it and end it
// with WM_CLOSE.
inline constexpr const wchar_t* kLoaderWindowClassName = L"TonestartLoader";

// The menu's commands, as the WM_COMMAND identifiers the window receives.
enum LoaderCommand { kLoaderReapply = 101, kLoaderOpen = 102, kLoaderExit = 103 };

// Fades the displays to their saved ramps and stays until the window is closed. Returns at
// once (0) when another loader runs in this session or there is no ramp file to keep.
int RunResidentLoader();

// Tells a running loader that a calibration window opens and, when this ends (after the
// window), that it closed: the loader leaves the displays alone meanwhile and then reads the ramp
// files again at once, so that even a session shorter than its check is seen.
class CalibrationWindowNotice {
public:
    CalibrationWindowNotice();
    ~CalibrationWindowNotice();
    CalibrationWindowNotice(const CalibrationWindowNotice&) = delete;
    CalibrationWindowNotice& operator=(const CalibrationWindowNotice&) = delete;
};

// What the loader asks of the system, answered by Windows: the calibration window by its class,
// full-screen programs by the shell's notification state, the time by the tick count.
LoaderSurroundings SystemSurroundings();

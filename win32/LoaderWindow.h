#pragma once
// Tonestart.exe's resident run: a hidden top-level window that hands the system's display,
// power and session messages and a periodic timer to the Loader, with an icon and its menu in
// the notification area. Free of <windows.h>, so test programs can include it.

// The window's class; the installer and the uninstaller find the loader by it and end it
// with WM_CLOSE.
inline constexpr const wchar_t* kLoaderWindowClassName = L"TonestartLoader";

// The menu's commands, as the WM_COMMAND identifiers the window receives.
enum LoaderCommand { kLoaderReapply = 101, kLoaderOpen = 102, kLoaderExit = 103 };

// Fades the displays to their saved ramps and stays until the window is closed. Returns at
// once (0) when another loader runs in this session or there is no ramp file to keep.
int RunResidentLoader();

#pragma once
// The Win32 implementations of the portable code's platform interfaces.

#include <string>

// Installs the Win32 file system, clock and display port. Call once at program start,
// before EnumDisplays.
void UseWin32Services();

// The system's text for an error code, without the trailing line break; "I/O error <code>"
// when the system has none.
std::string SystemErrorText(unsigned long code);

#pragma once
// The Win32 implementations of the portable code's platform interfaces, and the few system
// facts more than one of them reads.

#include <string>

// The program's icon among the resources of both executables (exe/Tonecast.rc, exe/Tonestart.rc).
inline constexpr int kProgramIconId = 1;

// Installs the Win32 file system, clock and display port. Call once at program start,
// before EnumDisplays.
void UseWin32Services();

// The system's text for an error code or HRESULT, without the trailing line break; empty when
// the system has none.
std::string SystemText(unsigned long code);

// SystemText, or "I/O error <code>" when the system has none.
std::string SystemErrorText(unsigned long code);

// The first character of the user's locale decimal separator; '.' when the locale gives none
// or one beyond ASCII.
char LocaleDecimalSeparator();

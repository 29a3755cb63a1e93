#include "win32/Win32Clock.h"

#include <windows.h>

namespace {
constexpr double kTicksPerDay = 864000000000.0;
constexpr double kDaysFrom1601To1899 = 109205.0;  // 1601-01-01 .. 1899-12-30
}  // namespace

double FileTimeTicksToDays(unsigned long long ticks) {
    return static_cast<double>(ticks) / kTicksPerDay - kDaysFrom1601To1899;
}

double Win32Clock::NowLocalDays() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    // SystemTimeToFileTime only re-encodes the fields, so the result stays local time,
    // milliseconds included (SystemTimeToVariantTime would drop them).
    FILETIME encoded;
    if (!SystemTimeToFileTime(&local, &encoded))
        return 0;
    ULARGE_INTEGER ticks;
    ticks.LowPart = encoded.dwLowDateTime;
    ticks.HighPart = encoded.dwHighDateTime;
    return FileTimeTicksToDays(ticks.QuadPart);
}

void Win32Clock::Sleep(int milliseconds) {
    ::Sleep(milliseconds < 0 ? 0 : milliseconds);
}

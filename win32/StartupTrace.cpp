#include "win32/StartupTrace.h"

#include <windows.h>

#include <cstdio>

namespace {

unsigned long long Ticks(const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

double MillisecondsSinceProcessCreation() {
    // Asked once: under Wine each question is a round trip to the Wine server, which the
    // traced start would pay at every step.
    static const unsigned long long created = [] {
        FILETIME creation{}, exited{}, kernel{}, user{};
        GetProcessTimes(GetCurrentProcess(), &creation, &exited, &kernel, &user);
        return Ticks(creation);
    }();
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<double>(Ticks(now) - created) / 10000.0;
}

}  // namespace

void TraceStartup(const char* step) {
    // Opened once: opening and closing the file for each step would cost the traced start
    // more than some of its steps.
    static FILE* const file = [] {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"TONECAST_STARTUP_TRACE", path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? _wfopen(path, L"a") : nullptr;
    }();
    if (!file)
        return;
    std::fprintf(file, "%.1f %s\n", MillisecondsSinceProcessCreation(), step);
    std::fflush(file);
}

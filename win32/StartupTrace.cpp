#include "win32/StartupTrace.h"

#include <windows.h>

#include <cstdio>

namespace {

double MillisecondsSinceProcessCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

void TraceStartup(const char* step) {
    // Opened once: opening and closing the file for each step would cost the traced start
    // more than some of its steps.
    static FILE* const file = [] {
        char path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableA("TONECAST_STARTUP_TRACE", path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::fopen(path, "a") : nullptr;
    }();
    if (!file)
        return;
    std::fprintf(file, "%.1f %s\n", MillisecondsSinceProcessCreation(), step);
    std::fflush(file);
}

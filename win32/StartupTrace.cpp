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
    static const bool enabled = GetEnvironmentVariableA("TONECAST_STARTUP_TRACE", nullptr, 0) > 0;
    if (!enabled)
        return;
    char path[MAX_PATH] = {};
    GetEnvironmentVariableA("TONECAST_STARTUP_TRACE", path, MAX_PATH);
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%.1f %s\n", MillisecondsSinceProcessCreation(), step);
        std::fclose(file);
    }
}

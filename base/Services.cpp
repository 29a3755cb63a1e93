#include "base/Clock.h"
#include "base/FileSystem.h"

#include <cstdio>
#include <cstdlib>

namespace {
FileSystem* g_files = nullptr;
Clock* g_clock = nullptr;

[[noreturn]] void Missing(const char* what) {
    std::fprintf(stderr, "no %s installed\n", what);
    std::abort();
}
}  // namespace

FileSystem& Files() {
    if (!g_files)
        Missing("file system");
    return *g_files;
}
void UseFileSystem(FileSystem& files) {
    g_files = &files;
}

Clock& SystemClock() {
    if (!g_clock)
        Missing("clock");
    return *g_clock;
}
void UseClock(Clock& clock) {
    g_clock = &clock;
}

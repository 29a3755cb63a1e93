#include "app/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
Shell* g_shell = nullptr;
ProfileStore* g_profiles = nullptr;

[[noreturn]] void Missing(const char* what) {
    std::fprintf(stderr, "no %s installed\n", what);
    std::abort();
}
}  // namespace

Shell& TheShell() {
    if (!g_shell)
        Missing("shell");
    return *g_shell;
}
void UseShell(Shell& shell) {
    g_shell = &shell;
}

ProfileStore& Profiles() {
    if (!g_profiles)
        Missing("profile store");
    return *g_profiles;
}
void UseProfileStore(ProfileStore& store) {
    g_profiles = &store;
}

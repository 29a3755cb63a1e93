#include "app/Platform.h"

#include <cstdio>
#include <cstdlib>

#include "app/ColorProfiles.h"

namespace {
Shell* g_shell = nullptr;
ProfileStore* g_profiles = nullptr;
ColorProfileStore* g_colorProfiles = nullptr;

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

ColorProfileStore& ColorProfiles() {
    if (!g_colorProfiles)
        Missing("colour profile store");
    return *g_colorProfiles;
}
void UseColorProfileStore(ColorProfileStore& store) {
    g_colorProfiles = &store;
}

#include "app/ColorProfiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "app/Language.h"
#include "ramp/Displays.h"
#include "ramp/ProfileFile.h"
#include "ramp/RampFileMatch.h"

namespace {

ColorProfileStore* g_store = nullptr;

// "Tonecast" + a display number + ".icm", letter case aside: the names the program gives its
// profiles, and no other profile the user may have.
bool IsOwnProfileName(const std::string& name) {
    auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        return text;
    };
    const std::string prefix = "tonecast", suffix = ".icm";
    const std::string text = lower(name);
    if (text.size() <= prefix.size() + suffix.size() || !text.starts_with(prefix) ||
        !text.ends_with(suffix))
        return false;
    const std::string number =
        text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    return std::all_of(number.begin(), number.end(),
                       [](unsigned char ch) { return std::isdigit(ch) != 0; });
}

}  // namespace

ColorProfileStore& ColorProfiles() {
    if (!g_store) {
        std::fprintf(stderr, "no colour profile store installed\n");
        std::abort();
    }
    return *g_store;
}
void UseColorProfileStore(ColorProfileStore& store) {
    g_store = &store;
}

std::vector<std::string> InstallDisplayProfiles(const std::string& dataFolder) {
    std::vector<std::string> failures;
    const std::vector<std::string> rampFiles = MatchRampFiles(dataFolder);
    for (int i = 0; i < Engine().DisplayCount(); ++i) {
        const std::string id = MonitorDeviceId(i);
        const std::string reason =
            id.empty() ? std::string("The system names no monitor here.")
                       : ColorProfiles().InstallForMonitor(ProfileFileName(rampFiles[i]), id);
        if (!reason.empty())
            failures.push_back(DisplayName(static_cast<int>(i)) + ": " + reason);
    }
    return failures;
}

void RemoveInstalledProfiles() {
    std::vector<std::string> monitors;
    for (int i = 0; i < Engine().DisplayCount(); ++i)
        if (std::string id = MonitorDeviceId(i); !id.empty())
            monitors.push_back(id);
    for (const std::string& name : ColorProfiles().InstalledProfiles())
        if (IsOwnProfileName(name))
            ColorProfiles().Uninstall(name, monitors);
}

#include "app/ColorProfiles.h"

#include <algorithm>
#include <cctype>

#include "app/Language.h"
#include "ramp/Displays.h"
#include "ramp/ProfileFile.h"
#include "ramp/RampFileMatch.h"

namespace {

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

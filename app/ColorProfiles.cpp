#include "app/ColorProfiles.h"

#include "app/Language.h"
#include "ramp/Displays.h"
#include "ramp/ProfileFile.h"
#include "ramp/RampFileMatch.h"

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
        // The names the program gives its profiles, and no other profile the user may have.
        if (TonecastFileNumber(name, ".icm"))
            ColorProfiles().Uninstall(name, monitors);
}

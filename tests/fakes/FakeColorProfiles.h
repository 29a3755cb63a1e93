#pragma once
// The system's colour profiles in memory: installing copies the file's bytes from the file
// system into the colour folder, the last profile associated with a monitor is its default,
// and an association needs an installed profile, as with mscms.

#include <map>
#include <string>
#include <vector>

#include "app/ColorProfiles.h"
#include "base/FileSystem.h"

class FakeColorProfiles : public ColorProfileStore {
public:
    std::string InstallForMonitor(const std::string& profilePath,
                                  const std::string& monitorDeviceId) override {
        const std::string name = profilePath.substr(profilePath.find_last_of('\\') + 1);
        std::string bytes;
        if (!refusal.empty())
            return refusal;
        if (!Files().ReadFile(profilePath, bytes, std::size_t{1} << 20))
            return "The system cannot find the file specified.";
        installed[name] = bytes;
        defaults[monitorDeviceId] = name;
        return {};
    }
    std::vector<std::string> InstalledProfiles() override {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : installed)
            names.push_back(name);
        return names;
    }
    void Uninstall(const std::string& profileName,
                   const std::vector<std::string>& monitorDeviceIds) override {
        for (const std::string& id : monitorDeviceIds)
            if (defaults.count(id) && defaults[id] == profileName)
                defaults[id] = before;
        installed.erase(profileName);
    }

    std::map<std::string, std::string> installed;         // colour folder: name -> bytes
    std::map<std::string, std::string> defaults;          // monitor device ID -> profile name
    std::string before = "sRGB Color Space Profile.icm";  // what a monitor falls back to
    std::string refusal;  // non-empty: every install fails with this reason
};

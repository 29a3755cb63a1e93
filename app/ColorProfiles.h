#pragma once
// Making the saved display profiles the displays' own colour profiles, so that the system's
// calibration loader and colour-managed programs use them, and taking them away again.

#include <string>
#include <vector>

// What the program needs of the system's colour management (mscms on Windows).
class ColorProfileStore {
public:
    virtual ~ColorProfileStore() = default;
    // Copies the profile into the system's colour folder, replacing an installed profile of
    // the same name, and makes it the default profile of the monitor with that device ID for
    // the current user. Empty when it worked, else the system's reason.
    virtual std::string InstallForMonitor(const std::string& profilePath,
                                          const std::string& monitorDeviceId) = 0;
    // The names of the profiles in the system's colour folder.
    virtual std::vector<std::string> InstalledProfiles() = 0;
    // Takes the profile's association with each monitor away (each monitor then uses the
    // profile it had before) and deletes it from the colour folder.
    virtual void Uninstall(const std::string& profileName,
                           const std::vector<std::string>& monitorDeviceIds) = 0;
};

ColorProfileStore& ColorProfiles();
void UseColorProfileStore(ColorProfileStore& store);

// Installs every display's saved profile (ProfileFileName in the data folder) as its
// monitor's profile. One line per display that failed: its name and the system's reason.
std::vector<std::string> InstallDisplayProfiles(const std::string& dataFolder);

// Uninstalls every profile the program installed ("Tonecast<n>.icm") and takes away its
// associations with the displays attached now.
void RemoveInstalledProfiles();

#pragma once
// The colour profile store over mscms. Under Wine, whose per-user ("Wcs") profile calls are
// stubs that end the process when called, the classic system-wide association stands in.

#include "app/ColorProfiles.h"

class Win32ColorProfiles : public ColorProfileStore {
public:
    // InstallColorProfileW after UninstallColorProfileW of the same name (Wine refuses to
    // install over an installed profile). Windows: WcsAssociateColorProfileWithDevice for the
    // current user, which needs no administrator rights, and WcsSetUsePerUserProfiles so that
    // the user's list is the one in force. Wine: AssociateColorProfileWithDeviceW.
    std::string InstallForMonitor(const std::string& profilePath,
                                  const std::string& monitorDeviceId) override;
    // GetColorDirectoryW and the "*.icm" files there.
    std::vector<std::string> InstalledProfiles() override;
    // Windows: WcsDisassociateColorProfileFromDevice for the current user, and the user's list
    // switched off again for a monitor it leaves empty; Wine:
    // DisassociateColorProfileFromDeviceW. Then UninstallColorProfileW, deleting the file.
    void Uninstall(const std::string& profileName,
                   const std::vector<std::string>& monitorDeviceIds) override;
};

// Installs the store for the program. Call once at start-up.
void UseWin32ColorProfiles();

// Whether the program runs under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

#include "win32/Win32ColorProfiles.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <icm.h>

#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {

// CLASS_MONITOR ('mntr') without the multi-character constant.
constexpr DWORD kMonitorClass = 0x6D6E7472;

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The colour folder, without a trailing backslash; empty when the system names none.
std::wstring ColorFolder() {
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof folder;
    return GetColorDirectoryW(nullptr, folder, &size) ? std::wstring(folder) : std::wstring();
}

// Windows takes the profile's name alone, Wine deletes the file it is given: the full path in
// the colour folder serves both.
void UninstallFromColorFolder(const std::wstring& name) {
    const std::wstring folder = ColorFolder();
    if (!folder.empty())
        UninstallColorProfileW(nullptr, (folder + L"\\" + name).c_str(), TRUE);
}

void Disassociate(const std::wstring& profile, const std::wstring& monitor) {
    if (RunningUnderWine()) {
        DisassociateColorProfileFromDeviceW(nullptr, profile.c_str(), monitor.c_str());
        return;
    }
    WcsDisassociateColorProfileFromDevice(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER,
                                          profile.c_str(), monitor.c_str());
}

// Whether the user's own list of profiles for the monitor holds none.
bool UserListEmpty(const std::wstring& monitor) {
    ENUMTYPEW filter{};
    filter.dwSize = sizeof filter;
    filter.dwVersion = ENUM_TYPE_VERSION;
    filter.dwFields = ET_DEVICENAME | ET_DEVICECLASS;
    filter.pDeviceName = monitor.c_str();
    filter.dwDeviceClass = kMonitorClass;
    DWORD size = 0, count = 0;
    if (!WcsEnumColorProfilesSize(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, &filter, &size))
        return false;
    std::wstring names(size / sizeof(wchar_t) + 1, L'\0');
    return WcsEnumColorProfiles(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER, &filter,
                                reinterpret_cast<BYTE*>(names.data()), size, &count) &&
           count == 0;
}

}  // namespace

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string Win32ColorProfiles::InstallForMonitor(const std::string& profilePath,
                                                  const std::string& monitorDeviceId) {
    const std::wstring path = Widen(profilePath), monitor = Widen(monitorDeviceId);
    const std::wstring name = FileNameOf(path);
    Disassociate(name, monitor);
    UninstallFromColorFolder(name);
    if (!InstallColorProfileW(nullptr, path.c_str()))
        return SystemErrorText(GetLastError());
    const bool associated =
        RunningUnderWine()
            ? AssociateColorProfileWithDeviceW(nullptr, name.c_str(), monitor.c_str())
            : WcsAssociateColorProfileWithDevice(WCS_PROFILE_MANAGEMENT_SCOPE_CURRENT_USER,
                                                 name.c_str(), monitor.c_str()) &&
                  WcsSetUsePerUserProfiles(monitor.c_str(), kMonitorClass, TRUE);
    return associated ? std::string() : SystemErrorText(GetLastError());
}

std::vector<std::string> Win32ColorProfiles::InstalledProfiles() {
    const std::wstring folder = ColorFolder();
    std::vector<std::string> names;
    if (folder.empty())
        return names;
    WIN32_FIND_DATAW found{};
    FindHandle find(FindFirstFileW((folder + L"\\*.icm").c_str(), &found));
    if (!find)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Narrow(found.cFileName));
    } while (FindNextFileW(find.get(), &found));
    return names;
}

void Win32ColorProfiles::Uninstall(const std::string& profileName,
                                   const std::vector<std::string>& monitorDeviceIds) {
    const std::wstring name = Widen(profileName);
    for (const std::string& id : monitorDeviceIds) {
        const std::wstring monitor = Widen(id);
        Disassociate(name, monitor);
        // The user's list was switched on for this profile: with nothing of the user's left,
        // the system-wide association is the one in force again.
        if (!RunningUnderWine() && UserListEmpty(monitor))
            WcsSetUsePerUserProfiles(monitor.c_str(), kMonitorClass, FALSE);
    }
    UninstallFromColorFolder(name);
}

void UseWin32ColorProfiles() {
    static Win32ColorProfiles store;
    UseColorProfileStore(store);
}

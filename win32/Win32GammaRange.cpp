// What the registry and the session tell about Windows' limit on gamma ramps (app/GammaLimit.h).
#include <windows.h>

#include <wtsapi32.h>

#include "app/GammaLimit.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Text.h"

namespace {

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

}  // namespace

bool ReadGammaRangeLifted(std::int64_t& writtenAt) {
    // Read-only, and the 64-bit view whatever the process: the value lives there.
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(kGammaRangeKey).c_str(), 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.OutPointer()) != ERROR_SUCCESS)
        return false;
    DWORD value = 0, type = 0, size = sizeof value;
    if (RegQueryValueExW(key.get(), Widen(kGammaRangeValue).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || value < kGammaRangeLifted)
        return false;
    FILETIME written{};
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS)
        return false;
    writtenAt = Ticks(written);
    return true;
}

std::int64_t SessionSignInTime() {
    WTSINFOW* info = nullptr;
    DWORD bytes = 0;
    std::int64_t signedIn = 0;
    if (WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSSessionInfo,
                                    reinterpret_cast<LPWSTR*>(&info), &bytes) &&
        info) {
        if (bytes >= sizeof(WTSINFOW))
            signedIn = info->LogonTime.QuadPart;
        WTSFreeMemory(info);
    }
    if (signedIn > 0)
        return signedIn;
    // Wine answers no session information: the system's start is the earliest sign-in there
    // can have been.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Ticks(now) - static_cast<std::int64_t>(GetTickCount64()) * 10000;
}

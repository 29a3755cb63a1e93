#include "win32/Win32Displays.h"

#include <windows.h>
// <windows.h> maps this name to its "A" function; here it is the interface's method.
#undef GetMonitorInfo

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {

// `list` is the vector EnumMonitors fills.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    reinterpret_cast<std::vector<MonitorHandle>*>(list)->push_back(
        reinterpret_cast<MonitorHandle>(monitor));
    return TRUE;
}

ScreenRect ToScreenRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

HDC ToHDC(DeviceContext dc) {
    return reinterpret_cast<HDC>(dc);
}

// "\\?\DISPLAY#<model>#<instance>#{<interface>}" names the monitor's device key
// "SYSTEM\CurrentControlSet\Enum\DISPLAY\<model>\<instance>"; empty for an ID of another form.
std::wstring DeviceParametersKey(const std::wstring& deviceId) {
    const std::wstring prefix = L"\\\\?\\";
    if (deviceId.compare(0, prefix.size(), prefix) != 0)
        return {};
    std::wstring key = L"SYSTEM\\CurrentControlSet\\Enum";
    std::size_t start = prefix.size();
    for (int part = 0; part < 3; ++part) {
        const std::size_t end = deviceId.find(L'#', start);
        if (end == std::wstring::npos || end == start || deviceId.find(L'\\', start) < end)
            return {};
        key += L'\\' + deviceId.substr(start, end - start);
        start = end + 1;
    }
    return key + L"\\Device Parameters";
}

// The platform's name as UTF-8 in a fixed field, cut before a character that would not fit
// whole, and ended by a zero.
template <std::size_t capacity>
void CopyName(const wchar_t* name, char (&field)[capacity]) {
    const std::string text = Narrow(name);
    std::size_t length = std::min(text.size(), capacity - 1);
    while (length > 0 && length < text.size() && (text[length] & 0xC0) == 0x80)
        --length;  // text[length] continues the character that would be cut
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

std::vector<MonitorHandle> Win32DisplayPort::EnumMonitors() {
    std::vector<MonitorHandle> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool Win32DisplayPort::GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) {
    MONITORINFOEXW platform{};
    platform.cbSize = sizeof platform;
    if (!GetMonitorInfoW(reinterpret_cast<HMONITOR>(monitor), &platform))
        return false;
    info.monitor = ToScreenRect(platform.rcMonitor);
    info.work = ToScreenRect(platform.rcWork);
    info.flags = platform.dwFlags;
    CopyName(platform.szDevice, info.device);
    return true;
}

void Win32DisplayPort::ShowLastError() {
    const std::string text = SystemErrorText(GetLastError());
    MessageBoxW(nullptr, Widen(text).c_str(), L"Error", MB_OK);
}

DeviceContext Win32DisplayPort::CreateDisplayDC(const char* deviceName) {
    return reinterpret_cast<DeviceContext>(
        CreateDCW(L"DISPLAY", Widen(deviceName).c_str(), nullptr, nullptr));
}

void Win32DisplayPort::GetMonitorDevice(const char* deviceName, MonitorDevice& device) {
    DISPLAY_DEVICEW platform{};
    platform.cb = sizeof platform;
    if (!EnumDisplayDevicesW(Widen(deviceName).c_str(), 0, &platform, 0))
        return;
    CopyName(platform.DeviceName, device.name);
    CopyName(platform.DeviceString, device.description);
    device.stateFlags = platform.StateFlags;
}

std::string Win32DisplayPort::GetMonitorDeviceId(const char* deviceName) {
    DISPLAY_DEVICEW monitor{};
    monitor.cb = sizeof monitor;
    if (!EnumDisplayDevicesW(Widen(deviceName).c_str(), 0, &monitor, EDD_GET_DEVICE_INTERFACE_NAME))
        return {};
    return Narrow(monitor.DeviceID);
}

std::string Win32DisplayPort::ReadMonitorEdid(const std::string& deviceId) {
    const std::wstring keyName = DeviceParametersKey(Widen(deviceId));
    RegistryKey key;
    if (keyName.empty() || RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_QUERY_VALUE,
                                         key.OutPointer()) != ERROR_SUCCESS)
        return {};
    // A base block and its extensions are at most 256 blocks of 128 bytes.
    std::string edid(256 * 128, '\0');
    DWORD type = 0, size = static_cast<DWORD>(edid.size());
    if (RegQueryValueExW(key.get(), L"EDID", nullptr, &type, reinterpret_cast<BYTE*>(edid.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return {};
    edid.resize(size);
    return edid;
}

bool Win32DisplayPort::AdvancedColorActive(const char* deviceName) {
    UINT32 pathCount = 0, modeCount = 0;
    if (GetDisplayConfigBufferSizes(QDC_ONLY_ACTIVE_PATHS, &pathCount, &modeCount) != ERROR_SUCCESS)
        return false;
    std::vector<DISPLAYCONFIG_PATH_INFO> paths(pathCount);
    std::vector<DISPLAYCONFIG_MODE_INFO> modes(modeCount);
    if (QueryDisplayConfig(QDC_ONLY_ACTIVE_PATHS, &pathCount, paths.data(), &modeCount,
                           modes.data(), nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wanted = Widen(deviceName);
    for (UINT32 i = 0; i < pathCount; ++i) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof source;
        source.header.adapterId = paths[i].sourceInfo.adapterId;
        source.header.id = paths[i].sourceInfo.id;
        if (DisplayConfigGetDeviceInfo(&source.header) != ERROR_SUCCESS ||
            wanted != source.viewGdiDeviceName)
            continue;
        DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO colour{};
        colour.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO;
        colour.header.size = sizeof colour;
        colour.header.adapterId = paths[i].targetInfo.adapterId;
        colour.header.id = paths[i].targetInfo.id;
        // Wine does not answer this query: a failure counts as a display without HDR.
        if (DisplayConfigGetDeviceInfo(&colour.header) != ERROR_SUCCESS)
            return false;
        // A wide-gamut panel that is always in advanced colour still takes gamma ramps.
        return colour.advancedColorEnabled && !colour.wideColorEnforced;
    }
    return false;
}

bool Win32DisplayPort::GetGammaRamp(DeviceContext dc, Ramp& ramp) {
    return GetDeviceGammaRamp(ToHDC(dc), ramp.data()) != FALSE;
}

bool Win32DisplayPort::SetGammaRamp(DeviceContext dc, const Ramp& ramp) {
    // The call takes a non-const pointer but only reads the table.
    Ramp copy = ramp;
    return SetDeviceGammaRamp(ToHDC(dc), copy.data()) != FALSE;
}

// A DC from CreateDCW is the caller's own: only DeleteDC frees it (ReleaseDC is for the
// shared DCs of windows and leaves this one allocated).
void Win32DisplayPort::ReleaseDisplayDC(DeviceContext dc) {
    DeleteDC(ToHDC(dc));
}

#include "win32/Win32Displays.h"

#include <windows.h>
// <windows.h> maps this name to its "A" function; here it is the interface's method.
#undef GetMonitorInfo

#include <cstddef>
#include <cstring>

#include "win32/Win32Services.h"

static_assert(sizeof(MONITORINFOEXA) == sizeof(MonitorInfo));
static_assert(offsetof(DISPLAY_DEVICEA, StateFlags) + sizeof(DWORD) == sizeof(MonitorDevice));

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

}  // namespace

std::vector<MonitorHandle> Win32DisplayPort::EnumMonitors() {
    std::vector<MonitorHandle> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool Win32DisplayPort::GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) {
    MONITORINFOEXA platform{};
    platform.cbSize = info.size;
    if (!GetMonitorInfoA(reinterpret_cast<HMONITOR>(monitor), &platform))
        return false;
    info.monitor = ToScreenRect(platform.rcMonitor);
    info.work = ToScreenRect(platform.rcWork);
    info.flags = platform.dwFlags;
    std::memcpy(info.device, platform.szDevice, sizeof info.device);
    return true;
}

void Win32DisplayPort::ShowLastError() {
    const std::string text = SystemErrorText(GetLastError());
    MessageBoxA(nullptr, text.c_str(), "Error", MB_OK);
}

DeviceContext Win32DisplayPort::CreateDisplayDC(const char* deviceName) {
    return reinterpret_cast<DeviceContext>(CreateDCA("DISPLAY", deviceName, nullptr, nullptr));
}

void Win32DisplayPort::GetMonitorDevice(const char* deviceName, MonitorDevice& device) {
    // The full record, so that a system that fills more than the size asks for still
    // writes into owned memory; only the fields up to the state flags are passed on.
    DISPLAY_DEVICEA platform{};
    platform.cb = device.size;
    if (!EnumDisplayDevicesA(deviceName, 0, &platform, 0))
        return;
    std::memcpy(device.name, platform.DeviceName, sizeof device.name);
    std::memcpy(device.description, platform.DeviceString, sizeof device.description);
    device.stateFlags = platform.StateFlags;
}

bool Win32DisplayPort::GetGammaRamp(DeviceContext dc, Ramp& ramp) {
    return GetDeviceGammaRamp(ToHDC(dc), ramp.data()) != FALSE;
}

bool Win32DisplayPort::SetGammaRamp(DeviceContext dc, const Ramp& ramp) {
    // The call takes a non-const pointer but only reads the table.
    Ramp copy = ramp;
    return SetDeviceGammaRamp(ToHDC(dc), copy.data()) != FALSE;
}

// A DC from CreateDCA is the caller's own: only DeleteDC frees it (ReleaseDC is for the
// shared DCs of windows and leaves this one allocated).
void Win32DisplayPort::ReleaseDisplayDC(DeviceContext dc) {
    DeleteDC(ToHDC(dc));
}

#pragma once
// The display port over the Win32 monitor and gamma-ramp calls.

#include "ramp/Displays.h"

class Win32DisplayPort : public DisplayPort {
public:
    std::vector<MonitorHandle> EnumMonitors() override;
    bool GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) override;
    void ShowLastError() override;
    DeviceContext CreateDisplayDC(const char* deviceName) override;
    void GetMonitorDevice(const char* deviceName, MonitorDevice& device) override;
    // EnumDisplayDevicesW with EDD_GET_DEVICE_INTERFACE_NAME.
    std::string GetMonitorDeviceId(const char* deviceName) override;
    // The value "EDID" under the monitor's "Device Parameters" key (HKEY_LOCAL_MACHINE).
    std::string ReadMonitorEdid(const std::string& deviceId) override;
    bool AdvancedColorActive(const char* deviceName) override;
    bool GetGammaRamp(DeviceContext dc, Ramp& ramp) override;
    bool SetGammaRamp(DeviceContext dc, const Ramp& ramp) override;
    void ReleaseDisplayDC(DeviceContext dc) override;
};

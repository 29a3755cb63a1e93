#pragma once
// In-memory monitors for the ramp engine: rectangles, device names, descriptions and a
// hardware ramp each, failures injectable per monitor, and a log of every platform call.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ramp/Displays.h"

struct FakeMonitor {
    std::string device;       // "\\.\DISPLAY1"
    std::string description;  // what EnumDisplayDevicesA reports as the device string
    ScreenRect rect;
    Ramp ramp{};           // the hardware ramp: what a read returns, what a write replaces
    std::string deviceId;  // as Wine names it: "\\?\DISPLAY#Default_Monitor#0000&0000#{...}"
    std::string edid;      // what the system keeps for it; empty: none (as under Wine)

    bool failMonitorInfo = false;
    bool noDC = false;
    bool failRead = false;
    bool failWrite = false;
    // Unplugged: no longer enumerated; its handle and DCs are refused, and none can be made.
    bool detached = false;
    // Wine on X: a ramp outside its rules (per channel: entry 0 above 256, flat or falling,
    // an entry outside [first, last], a falling step) fails and the old ramp stays; a taken
    // ramp keeps only the high byte of each entry ((w >> 8) * 257).
    bool refuseLikeWine = false;
    // Real Windows past its limit: the write reports success and nothing changes.
    bool ignoreWrites = false;
    // HDR on: the system reports advanced colour (Wine cannot tell and reports none).
    bool advancedColor = false;
};

// Whether Wine on X would take this ramp (see FakeMonitor::refuseLikeWine).
bool WineTakesRamp(const Ramp& ramp);

class FakeDisplayPort : public DisplayPort {
public:
    enum class CallKind {
        EnumMonitors,
        GetMonitorInfo,
        ShowLastError,
        CreateDisplayDC,
        GetMonitorDevice,
        AdvancedColorActive,
        GetGammaRamp,
        SetGammaRamp,
        ReleaseDisplayDC
    };
    struct Call {
        CallKind kind = CallKind::EnumMonitors;
        int monitor = -1;      // index into `monitors`, -1 when the call names none
        std::string argument;  // device name passed, where there is one
        bool succeeded = true;
        Ramp ramp{};  // read or written ramp
    };

    // Adds a monitor with an identity-like hardware ramp (i * 257) and returns it.
    FakeMonitor& AddMonitor(const std::string& device, ScreenRect rect,
                            const std::string& description = "Generic Non-PnP Monitor");

    std::vector<MonitorHandle> EnumMonitors() override;
    bool GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) override;
    void ShowLastError() override;
    DeviceContext CreateDisplayDC(const char* deviceName) override;
    void GetMonitorDevice(const char* deviceName, MonitorDevice& device) override;
    std::string GetMonitorDeviceId(const char* deviceName) override;
    std::string ReadMonitorEdid(const std::string& deviceId) override;
    bool AdvancedColorActive(const char* deviceName) override;
    bool GetGammaRamp(DeviceContext dc, Ramp& ramp) override;
    bool SetGammaRamp(DeviceContext dc, const Ramp& ramp) override;
    void ReleaseDisplayDC(DeviceContext dc) override;

    std::vector<Call> CallsOf(CallKind kind) const;
    // Monitor indexes of the successive ramp writes, e.g. {0, 1, 0, 1, 1}.
    std::vector<int> WriteOrder() const;
    int CountOf(CallKind kind) const { return static_cast<int>(CallsOf(kind).size()); }
    // DCs created and not yet released.
    int OpenDCs() const { return static_cast<int>(openDCs_.size()); }

    std::deque<FakeMonitor> monitors;  // a deque, so AddMonitor's references stay valid
    std::vector<Call> calls;
    // Runs inside ShowLastError, as the messages a modal box lets through would.
    std::function<void()> duringErrorBox;
    // Fields of the monitor information the fake checks were set by the caller.
    std::vector<std::uint32_t> monitorInfoSizes, monitorDeviceSizes;

private:
    void Log(CallKind kind, int monitor = -1, const std::string& argument = {},
             bool succeeded = true, const Ramp& ramp = {});
    static MonitorHandle HandleOf(int index) { return 0x10000 + index; }
    int MonitorOfHandle(MonitorHandle handle) const;
    int MonitorOfDevice(const char* deviceName) const;
    int MonitorOfDC(DeviceContext dc) const;

    struct OpenDC {
        DeviceContext dc;
        int monitor;
    };
    std::vector<OpenDC> openDCs_;
    DeviceContext nextDC_ = 0x500;
};

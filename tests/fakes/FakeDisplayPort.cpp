#include "fakes/FakeDisplayPort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
void CopyText(char* field, std::size_t capacity, const std::string& text) {
    std::memset(field, 0, capacity);
    std::memcpy(field, text.data(), std::min(capacity, text.size()));
}
}  // namespace

bool WineTakesRamp(const Ramp& ramp) {
    for (int channel = 0; channel < 3; ++channel) {
        const int first = RampEntry(ramp, channel, 0);
        const int last = RampEntry(ramp, channel, kRampLevels - 1);
        if (first > 256 || last <= first)
            return false;
        for (int level = 1; level < kRampLevels; ++level) {
            const int entry = RampEntry(ramp, channel, level);
            if (entry < RampEntry(ramp, channel, level - 1) || entry < first || entry > last)
                return false;
        }
    }
    return true;
}

void FakeDisplayPort::Log(CallKind kind, int monitor, const std::string& argument, bool succeeded,
                          const Ramp& ramp) {
    Call call;
    call.kind = kind;
    call.monitor = monitor;
    call.argument = argument;
    call.succeeded = succeeded;
    call.ramp = ramp;
    calls.push_back(call);
}

FakeMonitor& FakeDisplayPort::AddMonitor(const std::string& device, ScreenRect rect,
                                         const std::string& description) {
    FakeMonitor monitor;
    monitor.device = device;
    monitor.description = description;
    monitor.rect = rect;
    char instance[8];
    std::snprintf(instance, sizeof instance, "%04zu", monitors.size());
    monitor.deviceId = std::string("\\\\?\\DISPLAY#Default_Monitor#") + instance +
                       "&0000#{E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}";
    for (int i = 0; i < kRampSize; ++i)
        monitor.ramp[i] = static_cast<std::uint16_t>(i % 256 * 257);
    monitors.push_back(monitor);
    return monitors.back();
}

int FakeDisplayPort::MonitorOfHandle(MonitorHandle handle) const {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (HandleOf(static_cast<int>(i)) == handle)
            return static_cast<int>(i);
    return -1;
}

int FakeDisplayPort::MonitorOfDevice(const char* deviceName) const {
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].device == deviceName)
            return static_cast<int>(i);
    return -1;
}

int FakeDisplayPort::MonitorOfDC(DeviceContext dc) const {
    for (const OpenDC& open : openDCs_)
        if (open.dc == dc)
            return open.monitor;
    return -1;
}

std::vector<MonitorHandle> FakeDisplayPort::EnumMonitors() {
    Log(CallKind::EnumMonitors);
    std::vector<MonitorHandle> handles;
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (!monitors[i].detached)
            handles.push_back(HandleOf(static_cast<int>(i)));
    return handles;
}

bool FakeDisplayPort::GetMonitorInfo(MonitorHandle handle, MonitorInfo& info) {
    const int index = MonitorOfHandle(handle);
    monitorInfoSizes.push_back(info.size);
    const bool ok = index >= 0 && !monitors[index].detached && !monitors[index].failMonitorInfo &&
                    info.size == sizeof(MonitorInfo);
    Log(CallKind::GetMonitorInfo, index, {}, ok);
    if (!ok)
        return false;
    const FakeMonitor& m = monitors[index];
    info.monitor = m.rect;
    info.work = m.rect;
    info.flags = index == 0 ? 1 : 0;  // the first monitor is the primary one
    CopyText(info.device, sizeof info.device, m.device);
    return true;
}

void FakeDisplayPort::ShowLastError() {
    Log(CallKind::ShowLastError);
    if (duringErrorBox)
        duringErrorBox();
}

DeviceContext FakeDisplayPort::CreateDisplayDC(const char* deviceName) {
    const int index = MonitorOfDevice(deviceName);
    const bool ok = index >= 0 && !monitors[index].detached && !monitors[index].noDC;
    Log(CallKind::CreateDisplayDC, index, deviceName, ok);
    if (!ok)
        return 0;
    const DeviceContext dc = nextDC_++;
    openDCs_.push_back({dc, index});
    return dc;
}

void FakeDisplayPort::GetMonitorDevice(const char* deviceName, MonitorDevice& device) {
    const int index = MonitorOfDevice(deviceName);
    monitorDeviceSizes.push_back(device.size);
    Log(CallKind::GetMonitorDevice, index, deviceName, index >= 0);
    if (index < 0)
        return;
    CopyText(device.name, sizeof device.name, monitors[index].device + "\\Monitor0");
    CopyText(device.description, sizeof device.description, monitors[index].description);
    device.stateFlags = 3;
}

std::string FakeDisplayPort::GetMonitorDeviceId(const char* deviceName) {
    const int index = MonitorOfDevice(deviceName);
    return index >= 0 && !monitors[index].detached ? monitors[index].deviceId : std::string();
}

std::string FakeDisplayPort::ReadMonitorEdid(const std::string& deviceId) {
    for (const FakeMonitor& monitor : monitors)
        if (monitor.deviceId == deviceId)
            return monitor.edid;
    return {};
}

bool FakeDisplayPort::AdvancedColorActive(const char* deviceName) {
    const int index = MonitorOfDevice(deviceName);
    const bool ok = index >= 0 && !monitors[index].detached;
    Log(CallKind::AdvancedColorActive, index, deviceName, ok);
    return ok && monitors[index].advancedColor;
}

bool FakeDisplayPort::GetGammaRamp(DeviceContext dc, Ramp& ramp) {
    const int index = MonitorOfDC(dc);
    const bool ok = index >= 0 && !monitors[index].detached && !monitors[index].failRead;
    if (ok)
        ramp = monitors[index].ramp;
    Log(CallKind::GetGammaRamp, index, {}, ok, ok ? ramp : Ramp{});
    return ok;
}

bool FakeDisplayPort::SetGammaRamp(DeviceContext dc, const Ramp& ramp) {
    const int index = MonitorOfDC(dc);
    bool ok = index >= 0 && !monitors[index].detached && !monitors[index].failWrite;
    if (ok && monitors[index].refuseLikeWine) {
        ok = WineTakesRamp(ramp);
        if (ok)
            for (int i = 0; i < kRampSize; ++i)
                monitors[index].ramp[i] = static_cast<std::uint16_t>((ramp[i] >> 8) * 257);
    } else if (ok && !monitors[index].ignoreWrites) {
        monitors[index].ramp = ramp;
    }
    Log(CallKind::SetGammaRamp, index, {}, ok, ramp);
    return ok;
}

void FakeDisplayPort::ReleaseDisplayDC(DeviceContext dc) {
    const int index = MonitorOfDC(dc);
    Log(CallKind::ReleaseDisplayDC, index, {}, index >= 0);
    openDCs_.erase(std::remove_if(openDCs_.begin(), openDCs_.end(),
                                  [&](const OpenDC& open) { return open.dc == dc; }),
                   openDCs_.end());
}

std::vector<FakeDisplayPort::Call> FakeDisplayPort::CallsOf(CallKind kind) const {
    std::vector<Call> found;
    for (const Call& call : calls)
        if (call.kind == kind)
            found.push_back(call);
    return found;
}

std::vector<int> FakeDisplayPort::WriteOrder() const {
    std::vector<int> order;
    for (const Call& call : CallsOf(CallKind::SetGammaRamp))
        order.push_back(call.monitor);
    return order;
}

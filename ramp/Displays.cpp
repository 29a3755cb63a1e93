#include "ramp/Displays.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

DisplayPort* g_port = nullptr;

bool IsValidIndex(int index) {
    return index >= 0 && index < Engine().DisplayCount();
}

// The platform does not promise a terminating zero when a fixed-size name fills its field.
std::string FixedString(const char* text, std::size_t capacity) {
    const void* end = std::memchr(text, 0, capacity);
    return std::string(text, end ? static_cast<const char*>(end) - text : capacity);
}

// Descriptions come padded from some drivers; blanks and control characters at either end
// are noise in the display selector.
std::string Trim(const std::string& text) {
    auto isNoise = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
    std::size_t first = 0, last = text.size();
    while (first < last && isNoise(text[first]))
        ++first;
    while (last > first && isNoise(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

const ScreenRect& SelectedMonitorRect() {
    static const ScreenRect none;
    const DisplayState& e = Engine();
    return IsValidIndex(e.CurrentDisplay) ? e.Displays[e.CurrentDisplay].info.monitor : none;
}

}  // namespace

DisplayPort& Port() {
    if (!g_port) {
        std::fprintf(stderr, "no display port installed\n");
        std::abort();
    }
    return *g_port;
}
void UseDisplayPort(DisplayPort& port) {
    g_port = &port;
}

DisplayState& Engine() {
    static DisplayState state;
    return state;
}

std::string DisplayDeviceName(int index) {
    if (!IsValidIndex(index))
        return {};
    const MonitorInfo& info = Engine().Displays[index].info;
    return FixedString(info.device, sizeof info.device);
}

std::string MonitorDeviceId(int index) {
    const std::string deviceName = DisplayDeviceName(index);
    return deviceName.empty() ? std::string() : Port().GetMonitorDeviceId(deviceName.c_str());
}

std::string MonitorEdid(int index) {
    const std::string id = MonitorDeviceId(index);
    return id.empty() ? std::string() : Port().ReadMonitorEdid(id);
}

void EnumDisplays(ErrorBoxes boxes) {
    static bool running = false;
    if (running)
        return;
    running = true;
    struct Done {
        ~Done() { running = false; }
    } done;
    DisplayState& e = Engine();
    for (const TDisplay& display : e.Displays)
        Port().ReleaseDisplayDC(display.dc);  // the entries dropped here own their DCs
    e.Displays.clear();
    e.Corrections.clear();

    for (MonitorHandle monitor : Port().EnumMonitors()) {
        TDisplay display;
        display.monitor = monitor;
        display.info.size = sizeof(MonitorInfo);
        if (!Port().GetMonitorInfo(monitor, display.info) && boxes == ErrorBoxes::Show)
            Port().ShowLastError();

        const std::string deviceName = FixedString(display.info.device, sizeof display.info.device);
        display.dc = Port().CreateDisplayDC(deviceName.c_str());
        if (display.dc == 0)
            continue;  // no gamma access without a DC: not listed

        display.device.size = sizeof(MonitorDevice);
        Port().GetMonitorDevice(deviceName.c_str(), display.device);
        const std::string description =
            FixedString(display.device.description, sizeof display.device.description);
        display.advancedColor = Port().AdvancedColorActive(deviceName.c_str());

        display.name = std::string(kDisplayWord) + " " + std::to_string(e.DisplayCount() + 1) +
                       " (" + Trim(description) + ")";
        e.Displays.push_back(std::move(display));
        e.Corrections.emplace_back();
        ClearCorrection(e.Corrections.back());
    }
}

void ReleaseDisplays() {
    DisplayState& e = Engine();
    for (const TDisplay& display : e.Displays)
        Port().ReleaseDisplayDC(display.dc);
    e.Displays.clear();
    e.Corrections.clear();
    e.SavedRamps.clear();
    e.SavedRampRead.clear();
}

bool ReadDisplayRamp(int index, Ramp& ramp) {
    if (!IsValidIndex(index))
        return false;
    // A failed read must not leave a half-filled ramp behind for the caller to write back.
    Ramp read{};
    if (!Port().GetGammaRamp(Engine().Displays[index].dc, read))
        return false;
    ramp = read;
    return true;
}

bool WriteDisplayRamp(int index, const Ramp& ramp) {
    if (!IsValidIndex(index))
        return false;
    return Port().SetGammaRamp(Engine().Displays[index].dc, ramp);
}

bool SameHighBytes(const Ramp& written, const Ramp& readBack) {
    for (int i = 0; i < kRampSize; ++i)
        if ((written[i] >> 8) != (readBack[i] >> 8))
            return false;
    return true;
}

bool WriteVerifiedRamp(int index, const Ramp& ramp) {
    if (!IsValidIndex(index))
        return false;
    Ramp readBack{};
    const bool taken = WriteDisplayRamp(index, ramp) && ReadDisplayRamp(index, readBack) &&
                       SameHighBytes(ramp, readBack);
    Engine().Displays[index].refused = !taken;
    return taken;
}

bool DisplayRefused(int index) {
    return IsValidIndex(index) && Engine().Displays[index].refused;
}

bool DisplayInAdvancedColor(int index) {
    return IsValidIndex(index) && Engine().Displays[index].advancedColor;
}

bool SetDisplayLinear(int index) {
    if (!IsValidIndex(index))
        return false;
    Ramp linear;
    LinearRamp(linear);
    Engine().Displays[index].written = WrittenRamp::Identity;
    return WriteVerifiedRamp(index, linear);
}

void SaveDisplayRamps() {
    DisplayState& e = Engine();
    e.SavedRamps.assign(e.DisplayCount(), Ramp{});
    e.SavedRampRead.assign(e.DisplayCount(), false);
    for (int i = 0; i < e.DisplayCount(); ++i)
        e.SavedRampRead[i] = ReadDisplayRamp(i, e.SavedRamps[i]);
}

void RestoreDisplayRamps() {
    DisplayState& e = Engine();
    for (std::size_t i = 0; i < e.SavedRamps.size(); ++i) {
        // Nothing was captured for this display: writing the empty entry would black it out.
        if (i >= e.SavedRampRead.size() || !e.SavedRampRead[i])
            continue;
        const int index = static_cast<int>(i);
        WriteVerifiedRamp(index, e.SavedRamps[i]);
        if (IsValidIndex(index))
            e.Displays[i].written = WrittenRamp::None;
    }
}

bool ApplyCorrection(int index) {
    if (!IsValidIndex(index))
        return false;
    DisplayState& e = Engine();
    BuildRamp(e.Corrections[index], e.CurrentRamp);
    e.Displays[index].written = WrittenRamp::Correction;
    return WriteVerifiedRamp(index, e.CurrentRamp);
}

void SelectDisplay(int index) {
    if (!IsValidIndex(index))
        return;
    DisplayState& e = Engine();
    e.CurrentDisplay = index;
    ReadDisplayRamp(index, e.CurrentRamp);
}

int CenterX(int width) {
    const ScreenRect& r = SelectedMonitorRect();
    return (r.right - r.left) / 2 - width / 2;
}

int CenterY(int height) {
    const ScreenRect& r = SelectedMonitorRect();
    return (r.bottom - r.top) / 2 - height / 2;
}

bool UpdateDisplayInfo(int index) {
    const std::string deviceName = DisplayDeviceName(index);
    if (deviceName.empty())
        return false;
    for (MonitorHandle monitor : Port().EnumMonitors()) {
        MonitorInfo info;
        info.size = sizeof(MonitorInfo);
        if (!Port().GetMonitorInfo(monitor, info) ||
            FixedString(info.device, sizeof info.device) != deviceName)
            continue;
        TDisplay& display = Engine().Displays[index];
        display.monitor = monitor;
        display.info = info;
        display.advancedColor = Port().AdvancedColorActive(deviceName.c_str());  // may be toggled
        return true;
    }
    return false;
}

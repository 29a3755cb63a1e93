#pragma once
// The list of displays the program can correct, and every access to their hardware ramps.

#include <cstdint>
#include <string>
#include <vector>

#include "base/Ramp.h"
#include "ramp/Correction.h"

using MonitorHandle = std::uintptr_t;
using DeviceContext = std::uintptr_t;  // 0 = none

struct ScreenRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The platform's extended monitor information; the device name in UTF-8.
struct MonitorInfo {
    std::uint32_t size = 0;
    ScreenRect monitor;  // virtual-desktop pixels
    ScreenRect work;
    std::uint32_t flags = 0;
    char device[32] = {};
};
static_assert(sizeof(MonitorInfo) == 72);

// The platform's display-device record up to its state flags; the texts in UTF-8, a
// description too long for its field cut between characters.
struct MonitorDevice {
    std::uint32_t size = 0;
    char name[32] = {};
    char description[128] = {};
    std::uint32_t stateFlags = 0;
};
static_assert(sizeof(MonitorDevice) == 168);

// What the engine needs of the platform's monitors. Win32: EnumDisplayMonitors,
// GetMonitorInfoW, CreateDCW, EnumDisplayDevicesW, Get/SetDeviceGammaRamp, DeleteDC, and the
// display configuration's advanced-colour query.
class DisplayPort {
public:
    virtual ~DisplayPort() = default;
    // All monitors of the desktop, in the platform's enumeration order.
    virtual std::vector<MonitorHandle> EnumMonitors() = 0;
    virtual bool GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) = 0;
    // Message box (no owner, caption "Error") with the text of the last error code.
    virtual void ShowLastError() = 0;
    virtual DeviceContext CreateDisplayDC(const char* deviceName) = 0;
    // First device attached to the monitor's device name (index 0, no flags).
    virtual void GetMonitorDevice(const char* deviceName, MonitorDevice& device) = 0;
    // The device ID of the first monitor attached to the device name: the name the system's
    // colour profiles are associated with ("\\?\DISPLAY#<model>#<instance>#{...}"). Empty
    // when there is none.
    virtual std::string GetMonitorDeviceId(const char* deviceName) = 0;
    // The EDID the system keeps for the monitor of that device ID; empty when it has none.
    virtual std::string ReadMonitorEdid(const std::string& deviceId) = 0;
    // Whether the monitor shows the desktop in advanced colour (HDR), where Windows does not
    // define what a gamma ramp does. False when the system cannot tell.
    virtual bool AdvancedColorActive(const char* deviceName) = 0;
    virtual bool GetGammaRamp(DeviceContext dc, Ramp& ramp) = 0;
    virtual bool SetGammaRamp(DeviceContext dc, const Ramp& ramp) = 0;
    virtual void ReleaseDisplayDC(DeviceContext dc) = 0;
};

DisplayPort& Port();
void UseDisplayPort(DisplayPort& port);

// The word a display's name starts with; the window shows the user's language's word instead.
inline constexpr const char* kDisplayWord = "Display";
// What the program last put on a display of its own accord.
enum class WrittenRamp : std::uint8_t {
    None,        // nothing, or the ramp captured from it put back
    Correction,  // its correction (ApplyCorrection)
    Identity,    // the identity ramp (SetDisplayLinear)
};

struct TDisplay {
    MonitorHandle monitor = 0;
    DeviceContext dc = 0;
    MonitorInfo info;
    MonitorDevice device;
    std::string name;            // kDisplayWord + " <n> (<description>)"
    bool advancedColor = false;  // HDR: gamma ramps are not defined there
    bool refused = false;  // whether its last verified write was refused (see WriteVerifiedRamp)
    WrittenRamp written = WrittenRamp::None;
};

// The engine's program-wide state. Tests reset it with `Engine() = DisplayState{}`.
struct DisplayState {
    std::vector<TDisplay> Displays;
    int DisplayCount() const { return static_cast<int>(Displays.size()); }
    std::vector<TCorrection> Corrections;  // one per display, same index
    std::vector<Ramp> SavedRamps;          // captured when the calibration window opens
    std::vector<bool> SavedRampRead;       // whether each capture succeeded
    int CurrentDisplay = 0;
    Ramp CurrentRamp{};  // last synthesised for, or read from, the selected display
};
DisplayState& Engine();

// Whether a failed monitor query shows the system's message box. A program in the background
// has nobody to answer one, and its modal loop would let the next display message in halfway.
enum class ErrorBoxes { Show, Suppress };
// Makes the display list anew. A call made while one runs (from a message handled inside the
// error box) returns at once and leaves the list to the running one.
void EnumDisplays(ErrorBoxes boxes = ErrorBoxes::Show);
void ReleaseDisplays();
bool ReadDisplayRamp(int index, Ramp& ramp);
bool WriteDisplayRamp(int index, const Ramp& ramp);
// Writes the ramp and reads it back: true only when the write succeeded and every entry reads
// back with the high byte written (hardware and drivers may keep fewer bits). The platform may
// report success for a ramp it did not set, so only the read-back tells. Records the outcome
// in the display's `refused`.
bool WriteVerifiedRamp(int index, const Ramp& ramp);
// Whether a read-back ramp holds what was written, entry by entry on the high byte.
bool SameHighBytes(const Ramp& written, const Ramp& readBack);
// True when the display took the identity ramp (verified).
bool SetDisplayLinear(int index);
// Whether the display's last verified write was refused; false for a bad index.
bool DisplayRefused(int index);
// Whether the display is in HDR, where a gamma ramp does nothing defined; false for a bad index.
bool DisplayInAdvancedColor(int index);
void SaveDisplayRamps();
void RestoreDisplayRamps();
// Synthesises the display's record into CurrentRamp and writes it, verified.
bool ApplyCorrection(int index);
void SelectDisplay(int index);
int CenterX(int width);
int CenterY(int height);

// The device name of a display's monitor information ("\\.\DISPLAY1"); empty for a bad index.
std::string DisplayDeviceName(int index);
// The device ID of a display's monitor, asked of the system each time (the monitor behind a
// device name may change); empty for a bad index or when the system names none.
std::string MonitorDeviceId(int index);
// The EDID the system keeps for a display's monitor; empty when there is none.
std::string MonitorEdid(int index);

// Reads display `index`'s monitor information again from the system, finding the monitor by its
// device name: after a display change its rectangle is new, and its handle may be. False, with
// the record kept as it was, when the display is no longer attached or the index is bad.
bool UpdateDisplayInfo(int index);

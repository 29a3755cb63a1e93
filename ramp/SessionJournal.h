#pragma once
// The session file: the ramps a calibration window found on the displays, kept on disk while
// the window is open. Every orderly end of the window removes it. A forced end (the process
// killed, a hung window ended, a crash that passes every handler) leaves it behind, and the
// next start of either program puts those ramps back on the displays the window had changed.

#include <cstddef>
#include <string>
#include <vector>

#include "base/Ramp.h"
#include "ramp/RampFile.h"

inline constexpr const char* kSessionFileName = "Tonecast.session";
// About 4.7 KB a display; a larger file is not read.
inline constexpr std::size_t kMaxSessionFileBytes = std::size_t{1} << 20;

// One display's ramp as the window found it, with the device name that finds the display again.
struct CapturedRamp {
    std::string device;
    Ramp ramp{};
    bool operator==(const CapturedRamp&) const = default;
};

// "TonecastSession v.1", then two CRLF lines per display: its device name, and its 768 entries
// in decimal, separated by single blanks.
std::string FormatSessionFile(const std::vector<CapturedRamp>& ramps);
// False for anything but exactly that form.
bool ParseSessionFile(const std::string& text, std::vector<CapturedRamp>& ramps);

// Writes the ramps the engine captured (SaveDisplayRamps) into the data folder, replacing the
// file atomically. False, with nothing written, when a session file is there already (another
// window's, still open) or the file cannot be written.
bool WriteSessionJournal(const std::string& dataFolder);
void RemoveSessionJournal(const std::string& dataFolder);

// A session file left by a window that is no longer open: each of its displays still attached
// that has no readable ramp file gets back the ramp the window had found (one with a ramp file
// gets its correction the usual way); then the file is removed. Nothing happens while
// `calibrationOpen` (the file is that window's). Returns the ramps put back, by display index,
// for a fade that follows to keep (LoadAndApplyAll).
FallbackRamps RecoverSessionJournal(const std::string& dataFolder, bool calibrationOpen);

#pragma once
// Ramp files: one "RampCurve v.1" text file per display holding its correction record,
// and the /load fade that re-applies them.
//
// After the record's 1297 lines a file may hold one more, "Monitor=" and the device ID of the
// monitor it was saved for (see RampFileMatch.h). Readers of the record alone stop before it,
// so earlier versions read such a file as before.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Ramp.h"
#include "ramp/Correction.h"

// The most a ramp file may hold: the program writes about 5 KB (1297 short lines); more is a file
// that is not one, and is not read.
inline constexpr std::size_t kMaxRampFileBytes = std::size_t{64} << 10;

// data folder + "Tonecast" + (index + 1) + ".lut"
std::string RampFileName(const std::string& dataFolder, int displayIndex);

// False without touching the file when displayIndex is not below DisplayCount. Replaces the
// file atomically, with the display's device ID; throws InOutError when it cannot be written.
bool WriteRampFile(const TCorrection& c, int displayIndex, const std::string& fileName);

// False when the file is missing or its first line is not the header (record untouched).
// Throws TooLargeError for a file above kMaxRampFileBytes.
// Throws ConvertError("Invalid numeric input") for a malformed number; the record is then
// left untouched as well. `monitorId`, when given, receives the file's device ID (empty when
// it has none).
bool ReadRampFile(TCorrection& c, std::string& deviceName, const std::string& fileName,
                  std::string* monitorId = nullptr);

// The file's bytes for a record: 1297 CRLF lines, and the monitor line when `monitorId` is
// not empty.
std::string FormatRampFile(const TCorrection& c, const std::string& deviceName,
                           const std::string& monitorId = {});
// The file's bytes for display `displayIndex` (a valid one): its device name and device ID.
std::string FormatDisplayRampFile(const TCorrection& c, int displayIndex);
// ReadRampFile on bytes already read.
bool ParseRampFile(const std::string& text, TCorrection& c, std::string& deviceName,
                   std::string* monitorId = nullptr);

// Reads the ramp file `fileName` into display `displayIndex`'s record in the engine and
// synthesises `target` from it. False, with `target` untouched, when the file is missing,
// malformed or unreadable.
bool ReadSavedRamp(const std::string& fileName, int displayIndex, Ramp& target);

// Fades every display's hardware ramp to its entry of `target` (one per display; none leaves
// the display untouched), in passes of small steps. Each display's final write is verified
// (its `refused`); true only when every display faded took it.
bool FadeToRamps(const std::vector<std::optional<Ramp>>& target);

// Per display index, the ramp a display without a readable ramp file is faded to instead of the
// identity; none for most displays (see RecoverSessionJournal).
using FallbackRamps = std::vector<std::optional<Ramp>>;

// Reads every display's file from the folder (RampFileMatch.h) and fades all hardware ramps to
// the result (a display without a file to its fallback, else to the identity). Each display's
// final write is verified (its `refused`); true only when every display took it.
bool LoadAndApplyAll(const std::string& dataFolder, const FallbackRamps& fallback = {});

// One fade step of one entry; true only when a partial step was made.
bool StepToward(std::uint16_t& current, std::uint16_t target);

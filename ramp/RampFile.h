#pragma once
// Ramp files: one "RampCurve v.1" text file per display holding its correction record,
// and the /load fade that re-applies them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Ramp.h"
#include "ramp/Correction.h"

// data folder + "Tonecast" + (index + 1) + ".lut"
std::string RampFileName(const std::string& dataFolder, int displayIndex);

// False without touching the file when displayIndex is not below DisplayCount. Replaces the
// file atomically; throws InOutError when it cannot be written.
bool WriteRampFile(const TCorrection& c, int displayIndex, const std::string& fileName);

// False when the file is missing or its first line is not the header (record untouched).
// Throws ConvertError("Invalid numeric input") for a malformed number; the record is then
// left untouched as well.
bool ReadRampFile(TCorrection& c, std::string& deviceName, const std::string& fileName);

// The file's bytes for a record: 1297 CRLF lines.
std::string FormatRampFile(const TCorrection& c, const std::string& deviceName);
// ReadRampFile on bytes already read.
bool ParseRampFile(const std::string& text, TCorrection& c, std::string& deviceName);

// Reads display `displayIndex`'s file from the folder into its record in the engine and
// synthesises `target` from it. False, with `target` untouched, when the file is missing,
// malformed or unreadable.
bool ReadSavedRamp(const std::string& dataFolder, int displayIndex, Ramp& target);

// Fades every display's hardware ramp to its entry of `target` (one per display), in passes
// of small steps. Each display's final write is verified (its `refused`); true only when every
// display took it.
bool FadeToRamps(const std::vector<Ramp>& target);

// Per display index, the ramp a display without a readable ramp file is faded to instead of the
// identity; none for most displays (see RecoverSessionJournal).
using FallbackRamps = std::vector<std::optional<Ramp>>;

// Reads every display's file from the folder and fades all hardware ramps to the result (a
// display without a file to its fallback, else to the identity). Each display's final write is
// verified (its `refused`); true only when every display took it.
bool LoadAndApplyAll(const std::string& dataFolder, const FallbackRamps& fallback = {});

// One fade step of one entry; true only when a partial step was made.
bool StepToward(std::uint16_t& current, std::uint16_t target);

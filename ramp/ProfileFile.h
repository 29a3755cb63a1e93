#pragma once
// The display profile saved beside each display's ramp file: the display's correction, its
// monitor's colorimetry and the target gamma, as an ICC profile (ramp/DisplayProfile.h).

#include <string>

#include "ramp/Colorimetry.h"

// The profile beside a display's ramp file (RampFileMatch.h), so that it belongs to the same
// monitor: "Tonecast<n>.lut" -> "Tonecast<n>.icm".
std::string ProfileFileName(const std::string& rampFileName);

// The colorimetry of the display's monitor from the EDID the system keeps for it; sRGB's when
// there is none or it names no usable primaries.
DisplayColorimetry DisplayColorimetryOf(int displayIndex);

// The profile's bytes for display `displayIndex` (a valid index): described by the display's
// name and the date of `nowDays` (days since 1899-12-30), its curves at `targetGamma`, and its
// calibration table the ramp its correction record synthesises (the record itself is left as
// it is).
std::string DisplayProfileOf(int displayIndex, double targetGamma, double nowDays);

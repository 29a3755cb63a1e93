#include "ramp/ProfileFile.h"

#include <cstdio>

#include "ramp/Correction.h"
#include "ramp/DisplayProfile.h"
#include "ramp/Displays.h"

std::string ProfileFileName(const std::string& rampFileName) {
    const std::size_t dot = rampFileName.find_last_of('.');
    return rampFileName.substr(0, dot) + ".icm";
}

DisplayColorimetry DisplayColorimetryOf(int displayIndex) {
    return ColorimetryFromEdid(MonitorEdid(displayIndex)).value_or(SrgbColorimetry());
}

std::string DisplayProfileOf(int displayIndex, double targetGamma, double nowDays) {
    DisplayProfileContents contents;
    contents.created = DateOfDays(nowDays);
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", contents.created.year,
                  contents.created.month, contents.created.day);
    contents.description = "Tonecast " + Engine().Displays.at(displayIndex).name + " " + date;
    contents.copyright = "No copyright, use freely";
    contents.colorimetry = DisplayColorimetryOf(displayIndex);
    contents.gamma = targetGamma;
    TCorrection record = Engine().Corrections.at(displayIndex);
    BuildRamp(record, contents.calibration);
    return BuildDisplayProfile(contents);
}

#pragma once
// A correction as an ICC display profile (version 2.4, class "mntr", RGB to XYZ): the
// display's colorants and white, its tone response as one gamma value, and the ramp of the
// correction in the video-card gamma table ("vcgt") that calibration loaders put on the
// display.

#include <string>

#include "base/Ramp.h"
#include "ramp/Colorimetry.h"

struct ProfileDate {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

struct DisplayProfileContents {
    std::string description;  // UTF-8; named in colour-management dialogs
    std::string copyright;    // ASCII
    DisplayColorimetry colorimetry;
    double gamma = 2.2;  // of the tone response curves
    Ramp calibration{};  // the video-card gamma table
    ProfileDate created;
};

// The profile's bytes.
std::string BuildDisplayProfile(const DisplayProfileContents& contents);

// A date and time given as days since 1899-12-30, the time of day as the fraction.
ProfileDate DateOfDays(double days);

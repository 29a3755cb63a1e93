#pragma once
// Conversion of a decoded image from sRGB to the colour profile of a display. The program
// installs the platform's colour system; until something is installed (native builds, tests of
// other parts) images are shown as they are decoded.

#include <string>

#include "ramp/Displays.h"
#include "render/Canvas.h"

class ColorConverter {
public:
    virtual ~ColorConverter() = default;
    // Converts a 24-bit bitmap in place for the display whose device context is `dc`. Any
    // other bitmap, a display without a profile and every failure leave it unchanged; nothing
    // is reported.
    virtual void ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) = 0;
    // What identifies the profile ConvertForDisplay would use for the display (its file name),
    // so that a converted image can be kept until it changes; empty for none.
    virtual std::string ProfileOf(DeviceContext) { return {}; }
};

// The converter in use; a no-op one until UseColorConverter is called.
ColorConverter& Colors();
void UseColorConverter(ColorConverter& converter);

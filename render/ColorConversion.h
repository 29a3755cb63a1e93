#pragma once
// Conversion of a decoded image from sRGB to the colour profile of a display. The program
// installs the platform's colour system; until something is installed (native builds, tests of
// other parts) images are shown as they are decoded.

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Maps `count` packed pixels of a 24-bit bitmap (three bytes each, in the bitmap's byte order)
// in place, each pixel on its own as a colour system does.
using PixelConversion = std::function<void(std::uint8_t* pixels, std::size_t count)>;

// Converts a 24-bit bitmap through `convert`, handing it each distinct colour of the bitmap
// once, in one array (ascending by the colour's bytes read as a little-endian number): a
// photograph repeats its colours many times over, and a colour system's cost is per pixel it
// is given. Every pixel ends as `convert` maps its colour; row padding stays as it was. Without
// memory for the colour table, the rows are handed over one by one instead.
void ConvertDistinctColors(Bitmap& bitmap, const PixelConversion& convert);

// The converter in use; a no-op one until UseColorConverter is called.
ColorConverter& Colors();
void UseColorConverter(ColorConverter& converter);

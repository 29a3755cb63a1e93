#pragma once
// Conversion of a decoded image from its own colour space (the ICC profile its file carries, or
// sRGB) to the colour profile of a display. The program installs the platform's colour system;
// until something is installed (native builds, tests of other parts) images are shown as they
// are decoded.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ramp/Displays.h"
#include "render/Canvas.h"

class ColorConverter {
public:
    virtual ~ColorConverter() = default;
    // Converts a bitmap in place for the display whose device context is `dc`: a 24-bit one from
    // `sourceProfile` (an ICC profile's bytes) or, when that is empty, from sRGB; an 8-bit grey
    // one only from a grey `sourceProfile`, which makes it 24-bit. A profile that does not fit
    // the bitmap (ProfileFitsImage) or that the colour system refuses is replaced by sRGB (grey
    // bitmaps stay as they are), and the result is false; otherwise true. A display without a
    // profile and every other failure leave the bitmap unchanged.
    virtual bool ConvertForDisplay(Bitmap& bitmap, DeviceContext dc,
                                   std::string_view sourceProfile) = 0;
    // What identifies the profile ConvertForDisplay would use for the display (its file name),
    // so that a converted image can be kept until it changes; empty for none.
    virtual std::string ProfileOf(DeviceContext) { return {}; }
};

// Whether `profile` can describe the pixels of a bitmap of `bitsPerPixel`, as far as its header
// tells: the whole profile (its declared size, tag table and signature within the bytes), of a
// class that can be converted from (input, display, output or colour-space profiles, not device
// links, abstract or named-colour ones), for RGB data in a 24-bit bitmap or grey data in an 8-bit
// one. Whether the tags themselves make sense is the colour system's to judge.
bool ProfileFitsImage(std::string_view profile, int bitsPerPixel);

// Makes an 8-bit grey bitmap 24-bit, each level as `colors` gives it (three bytes per level, in
// the 24-bit bitmap's byte order). Throws std::bad_alloc when there is no memory for it.
void ColorGreyLevels(Bitmap& bitmap, const std::array<std::uint8_t, 3 * 256>& colors);

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

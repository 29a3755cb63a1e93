#pragma once
// What a display's primaries and white are, where they come from (the monitor's EDID, or sRGB
// when it has none), and the XYZ colorants a display profile describes them with.

#include <array>
#include <optional>
#include <string>

struct Chromaticity {
    double x = 0, y = 0;
};

struct DisplayColorimetry {
    Chromaticity red, green, blue, white;
};

using Xyz = std::array<double, 3>;
using Matrix3 = std::array<Xyz, 3>;  // rows

// The connection space's white of every display profile (ICC D50).
inline constexpr Xyz kD50{0.9642, 1.0, 0.8249};

// IEC 61966-2-1: the Rec. 709 primaries with a D65 white.
DisplayColorimetry SrgbColorimetry();

// The chromaticities of an EDID's base block (bytes 25-34, ten bits each), or nullopt for
// bytes that are no EDID (header, length, checksum) or name no usable primaries and white.
std::optional<DisplayColorimetry> ColorimetryFromEdid(const std::string& edid);

// XYZ of a chromaticity at luminance 1.
Xyz ToXyz(const Chromaticity& c);

// Bradford adaptation from one white to another (XYZ).
Matrix3 BradfordAdaptation(const Xyz& from, const Xyz& to);

// The display's red, green and blue colorants (the columns of its RGB-to-XYZ matrix, white at
// luminance 1), adapted to D50 by `adaptation`.
std::array<Xyz, 3> AdaptedColorants(const DisplayColorimetry& display, const Matrix3& adaptation);

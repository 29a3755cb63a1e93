#include "ramp/Colorimetry.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::size_t kEdidBlockSize = 128;
constexpr unsigned char kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kChromaticityLowBits = 25;   // red and green, then blue and white
constexpr std::size_t kChromaticityHighBits = 27;  // Rx Ry Gx Gy Bx By Wx Wy

Xyz Multiply(const Matrix3& m, const Xyz& v) {
    Xyz result{};
    for (int r = 0; r < 3; ++r)
        result[r] = m[r][0] * v[0] + m[r][1] * v[1] + m[r][2] * v[2];
    return result;
}

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
    Matrix3 result{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            result[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
    return result;
}

double Determinant(const Matrix3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// The caller makes sure the determinant is not zero.
Matrix3 Inverse(const Matrix3& m) {
    const double d = Determinant(m);
    auto cofactor = [&](int r, int c) {
        const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
        return m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
    };
    Matrix3 result{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            result[c][r] = cofactor(r, c) / d;
    return result;
}

// The primaries' XYZ at luminance 1 as columns.
Matrix3 PrimariesMatrix(const DisplayColorimetry& d) {
    const Xyz r = ToXyz(d.red), g = ToXyz(d.green), b = ToXyz(d.blue);
    return {{{r[0], g[0], b[0]}, {r[1], g[1], b[1]}, {r[2], g[2], b[2]}}};
}

// How much of each primary makes the white; all positive when the white lies inside the
// triangle of the primaries.
Xyz PrimaryScales(const DisplayColorimetry& d) {
    return Multiply(Inverse(PrimariesMatrix(d)), ToXyz(d.white));
}

bool Plausible(const Chromaticity& c) {
    return c.x > 0 && c.y > 0 && c.x + c.y <= 1;  // a red on the spectral locus reaches 1
}

// A profile can only be made for primaries that span a triangle around the white.
bool Usable(const DisplayColorimetry& d) {
    for (const Chromaticity* c : {&d.red, &d.green, &d.blue, &d.white})
        if (!Plausible(*c))
            return false;
    if (std::fabs(Determinant(PrimariesMatrix(d))) < 1e-6)
        return false;
    const Xyz scales = PrimaryScales(d);
    return scales[0] > 0 && scales[1] > 0 && scales[2] > 0;
}

}  // namespace

DisplayColorimetry SrgbColorimetry() {
    return {{0.64, 0.33}, {0.30, 0.60}, {0.15, 0.06}, {0.3127, 0.3290}};
}

std::optional<DisplayColorimetry> ColorimetryFromEdid(const std::string& edid) {
    if (edid.size() < kEdidBlockSize)
        return std::nullopt;
    auto byte = [&](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(edid[i]));
    };
    unsigned sum = 0;
    for (std::size_t i = 0; i < kEdidBlockSize; ++i) {
        if (i < sizeof kEdidHeader && byte(i) != kEdidHeader[i])
            return std::nullopt;
        sum += byte(i);
    }
    if (sum % 256 != 0)
        return std::nullopt;

    // Eight values, each its high eight bits in a byte of its own and its low two bits packed
    // four to a byte, first value in the top bits.
    auto value = [&](int k) {
        const unsigned low = (byte(kChromaticityLowBits + k / 4) >> (6 - 2 * (k % 4))) & 3;
        return ((byte(kChromaticityHighBits + k) << 2) | low) / 1024.0;
    };
    DisplayColorimetry d;
    Chromaticity* order[4] = {&d.red, &d.green, &d.blue, &d.white};
    for (int k = 0; k < 4; ++k)
        *order[k] = {value(2 * k), value(2 * k + 1)};
    if (!Usable(d))
        return std::nullopt;
    return d;
}

Xyz ToXyz(const Chromaticity& c) {
    return {c.x / c.y, 1.0, (1 - c.x - c.y) / c.y};
}

Matrix3 BradfordAdaptation(const Xyz& from, const Xyz& to) {
    static constexpr Matrix3 kBradford{
        {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};
    const Xyz coneFrom = Multiply(kBradford, from), coneTo = Multiply(kBradford, to);
    Matrix3 scale{};
    for (int i = 0; i < 3; ++i)
        scale[i][i] = coneTo[i] / coneFrom[i];
    return Multiply(Inverse(kBradford), Multiply(scale, kBradford));
}

std::array<Xyz, 3> AdaptedColorants(const DisplayColorimetry& display, const Matrix3& adaptation) {
    const Matrix3 primaries = PrimariesMatrix(display);
    const Xyz scales = PrimaryScales(display);
    std::array<Xyz, 3> colorants{};
    for (int c = 0; c < 3; ++c)
        colorants[c] =
            Multiply(adaptation, Xyz{primaries[0][c] * scales[c], primaries[1][c] * scales[c],
                                     primaries[2][c] * scales[c]});
    return colorants;
}

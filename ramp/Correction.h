#pragma once
// The correction record of one display and its synthesis into a gamma ramp.

#include <array>
#include <cstdint>
#include <utility>

#include "base/Ramp.h"

// Everything the user adjusts for one display. A plain value record.
struct TCorrection {
    std::int32_t Gamma = 0, GammaR = 0, GammaG = 0, GammaB = 0;
    std::int32_t Black = 0, BlackR = 0, BlackG = 0, BlackB = 0;
    std::int32_t White = 0, WhiteR = 0, WhiteG = 0, WhiteB = 0;
    std::int32_t BalanceR = 0, BalanceG = 0, BalanceB = 0;
    std::array<std::uint8_t, 256> PointOn{};  // 0 or 1 per input level
    std::array<std::int32_t, 256> Point{};    // overall correction value at each level
    std::array<std::int32_t, 256> PointR{};
    std::array<std::int32_t, 256> PointG{};
    std::array<std::int32_t, 256> PointB{};

    bool operator==(const TCorrection&) const = default;
};

// Program-wide values shared by the point editor and the pattern drawing.
struct PatternSettings {
    double TargetGamma = 2.2;  // gamma the dithered patterns are built for
    int PointPos = 127;        // selected correction-point level, 0..255
};
PatternSettings& Patterns();

void ClearCorrection(TCorrection& c);
// Turns every point off and zeroes the four point arrays; the adjustments stay.
void ClearPoints(TCorrection& c);

// Next enabled point after `pos`, searching round the levels with `pos` itself last.
// With no point enabled: pos + 1, at most 255.
int NextPoint(const TCorrection& c, int pos);
// Mirror of NextPoint. With no point enabled: pos - 1, at least 0.
int PrevPoint(const TCorrection& c, int pos);

// Fills the point arrays between the enabled points with the interpolated curve.
void InterpolatePoints(TCorrection& c);

// Interpolates the points of `c` (so it changes the record), then synthesises all 768 entries.
void BuildRamp(TCorrection& c, Ramp& ramp);

// Identity ramp: entry i = i * 256 (65280 at level 255).
void LinearRamp(Ramp& ramp);

// Two levels (low, high) whose half-and-half mix emits the light of `level` on a display
// of gamma TargetGamma.
std::pair<int, int> GammaPair(int level);

#pragma once
// The gamma ramp of one display: 3 x 256 unsigned 16-bit entries, channel-major
// (256 red, 256 green, 256 blue). Entry i of a channel is the output for input level i;
// 65535 is full scale. This is the layout the platform's gamma-ramp calls use.

#include <array>
#include <cstdint>

constexpr int kRampLevels = 256;
constexpr int kRampSize = 3 * kRampLevels;

using Ramp = std::array<std::uint16_t, kRampSize>;

enum Channel { kRed = 0, kGreen = 1, kBlue = 2 };

inline std::uint16_t& RampEntry(Ramp& ramp, int channel, int level) {
    return ramp[channel * kRampLevels + level];
}
inline std::uint16_t RampEntry(const Ramp& ramp, int channel, int level) {
    return ramp[channel * kRampLevels + level];
}

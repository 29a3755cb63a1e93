// Cost of one edit's whole way to the display under Wine (run on an Xorg dummy server by
// bench/ramp-write.sh, where the writes are taken): synthesis and write alone, against
// synthesis, write and the read-back that tells whether the display took the ramp, measured
// in the same run, each against one frame at 60 Hz.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ramp/Correction.h"
#include "ramp/Displays.h"
#include "win32/Win32Services.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameMs = 1000.0 / 60;

// Median of `runs` edits; each one moves the gamma, as a key in an edit does.
template <typename F>
double MedianMs(int runs, F&& edit) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Engine().Corrections[0].Gamma = 10 + i % 2;
        const auto start = Clock::now();
        edit();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    UseWin32Services();
    EnumDisplays();
    if (Engine().DisplayCount() < 1) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    SaveDisplayRamps();
    DisplayState& e = Engine();
    if (!ApplyCorrection(0)) {
        std::fprintf(stderr, "the display refuses the ramp: nothing to compare\n");
        return 1;
    }
    const int runs = 201;
    const double unverified = MedianMs(runs, [&] {
        BuildRamp(e.Corrections[0], e.CurrentRamp);
        WriteDisplayRamp(0, e.CurrentRamp);
    });
    const double verified = MedianMs(runs, [] { ApplyCorrection(0); });
    RestoreDisplayRamps();
    std::printf(
        "one edit, median of %d: synthesis + write %.3f ms (%.3f of a 60 Hz frame); "
        "synthesis + write + read-back %.3f ms (%.3f of a frame), %.2fx the edit without it\n",
        runs, unverified, unverified / kFrameMs, verified, verified / kFrameMs,
        verified / unverified);
    ReleaseDisplays();
    return 0;
}

// Cost of the resident loader's periodic check (finding no calibration window and no full-screen
// program, the size and time of each display's ramp file, one ramp read-back per display,
// nothing to put back) under Wine, against its check interval, and of a re-apply on an event
// (a ramp one entry off, then one verified write per display) for comparison.
//   loader_check_bench <scratch folder, Windows path ending in a backslash>
// Needs an X server whose gamma ramp Wine can read (the Xorg dummy server; see
// bench/loader-check.sh).
#include <cstdio>
#include <string>

#include "app/Loader.h"
#include "app/Platform.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "win32/LoaderWindow.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Services.h"

#include <windows.h>

namespace {

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: loader_check_bench <scratch folder>\\\n");
        return 2;
    }
    UseWin32Services();
    UseShell(Win32Shell());  // the calibration window's fallback look-up
    EnumDisplays();
    const std::string folder = argv[1];
    // A correction unlike the identity that Wine takes: gamma +20.
    TCorrection c;
    c.Gamma = 20;
    for (int i = 0; i < Engine().DisplayCount(); ++i)
        WriteRampFile(c, i, RampFileName(folder, i));
    Loader loader(folder, SystemSurroundings());
    if (!loader.Start() || DisplayRefused(0)) {
        std::fprintf(stderr, "loader_check_bench: the displays did not take the correction\n");
        return 1;
    }
    constexpr int kRounds = 500;
    double start = Seconds();
    for (int round = 0; round < kRounds; ++round)
        loader.Check();
    const double check = (Seconds() - start) / kRounds;
    start = Seconds();
    for (int round = 0; round < kRounds / 10; ++round)
        loader.OnReapply();
    const double reapply = (Seconds() - start) / (kRounds / 10);

    const int displays = Engine().DisplayCount();
    std::printf("displays: %d\n", displays);
    std::printf("periodic check: %.1f us (%.1f us per display), %.4f%% of its %d ms interval\n",
                check * 1e6, check * 1e6 / displays, 100.0 * check / (kLoaderCheckIntervalMs / 1e3),
                kLoaderCheckIntervalMs);
    std::printf("re-apply on an event: %.1f us (%.1fx the check)\n", reapply * 1e6,
                reapply / check);
    ReleaseDisplays();
    return 0;
}

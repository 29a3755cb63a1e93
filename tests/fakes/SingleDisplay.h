#pragma once
// The ramp engine's state for one display at the desktop origin with an identity ramp, for
// the painting tests and benchmarks.

#include "ramp/Correction.h"
#include "ramp/Displays.h"

inline void UseSingleDisplay(int width, int height) {
    Engine() = DisplayState{};
    Patterns() = PatternSettings{};
    TDisplay display;
    display.info.monitor = ScreenRect{0, 0, width, height};
    Engine().Displays.push_back(display);
    Engine().Corrections.resize(1);
    LinearRamp(Engine().CurrentRamp);
}

#pragma once
// Exact pixel checks on a PixelCanvas, shared by the pattern and page tests.

#include <gtest/gtest.h>

#include <ostream>

#include "fakes/SingleDisplay.h"
#include "ramp/Correction.h"
#include "ramp/Displays.h"
#include "render/PixelCanvas.h"

inline std::ostream& operator<<(std::ostream& os, const Color& c) {
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    bool operator==(const Box&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "[" << b.left << "," << b.top << " - " << b.right << "," << b.bottom << ")";
}

// The smallest box holding every pixel that is not `background`; empty when there is none.
inline Box PaintedBox(const PixelCanvas& c, Color background = kBlack) {
    Box box{c.Width(), c.Height(), 0, 0};
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (!(c.At(x, y) == background)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    if (box.right == 0)
        return Box{};
    return box;
}

// Every pixel of the box has `color`; reports the first that has not.
inline ::testing::AssertionResult AllOf(const PixelCanvas& c, Box box, Color color) {
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if (!(c.At(x, y) == color))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << "," << y << ") is " << c.At(x, y) << ", not " << color;
    return ::testing::AssertionSuccess();
}

inline void AddDisplay(ScreenRect monitor) {
    TDisplay display;
    display.info.monitor = monitor;
    Engine().Displays.push_back(display);
    Engine().Corrections.emplace_back();
}

#pragma once
// The pattern of each page of the calibration window, composed from the drawing routines.

#include <string>

#include "render/Canvas.h"
#include "render/ReferenceImage.h"

// What a paint of the calibration window reads besides the ramp engine's state.
struct PageView {
    int page = 0;          // CurrentPage, 0..8
    int clientWidth = 0;   // W
    int dpi = 96;          // the window's current pixels per inch
    int panelTop = 0;      // top of the bottom bar, client coordinates
    int panelHeight = 53;  // height of the bottom bar
    int originX = 0;       // screen position of the client area's top-left corner
    int originY = 0;
    int clientHeight = 0;
    std::string referenceImagePath;  // page 8
    ReferenceImageTexts referenceImageTexts;
};

// Paints the page's pattern onto a canvas already filled with the window's background colour.
void PaintPage(Canvas& canvas, const PageView& view);

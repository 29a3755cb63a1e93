#pragma once
// The pattern of each page of the calibration window, composed from the drawing routines.

#include <string>
#include <vector>

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
    std::string referenceImagePath;      // page 8
    bool referenceImageRefused = false;  // not opened: ReferenceImageTexts::notLocal instead
    // Page 8: where the help text and the file name are drawn over the image; each gets a
    // backing of `background` so that it reads over any photograph.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    std::vector<Box> textBackings;
    Color background = kBlack;
    ReferenceImageTexts referenceImageTexts;
};

// One page's pattern, painted onto a canvas already filled with the window's background colour
// on the selected display. The page table (ui/Pages.h) says which page shows which.
using PagePattern = void (*)(Canvas& canvas, const PageView& view);
void PaintBlackPoint(Canvas& canvas, const PageView& view);
void PaintWhitePoint(Canvas& canvas, const PageView& view);
void PaintGamma(Canvas& canvas, const PageView& view);
void PaintGammaSharp(Canvas& canvas, const PageView& view);
void PaintColorBalance(Canvas& canvas, const PageView& view);
void PaintCorrectionPoints(Canvas& canvas, const PageView& view);
void PaintReferenceImagePage(Canvas& canvas, const PageView& view);

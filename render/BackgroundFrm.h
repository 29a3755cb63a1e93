#pragma once
// The backdrop behind the calibration window: with more than one display it covers the whole
// virtual screen in black, so that the displays not being calibrated are dark, and on the
// Color Balance page it paints the eight grey steps across all of them. This is the window's
// platform-free part; win32/BackgroundWindow.h makes the window.

#include "ramp/Displays.h"
#include "render/Canvas.h"

// The virtual screen: the rectangle that holds every display.
enum class VirtualScreenMetric { kLeft, kTop, kWidth, kHeight };

class SystemMetrics {
public:
    virtual ~SystemMetrics() = default;
    virtual int VirtualScreen(VirtualScreenMetric metric) = 0;
};

// What one paint of the backdrop reads.
struct BackdropView {
    int page = 0;          // the calibration window's CurrentPage
    int panelHeight = 53;  // height of the calibration window's bottom bar
    int originX = 0;       // the backdrop's own screen position
    int originY = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

constexpr int kColorBalancePage = 5;

class TBackgroundForm {
public:
    // Visibility and bounds, from the display list and the virtual screen.
    void FormCreate(SystemMetrics& metrics);
    // After a display change: the bounds of the new virtual screen; visibility stays.
    void DisplayChange(SystemMetrics& metrics);
    bool Visible() const { return visible_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Black, and on the Color Balance page the grey steps over the bounding rectangle of all
    // displays, shortened by the bottom bar's height.
    static void FormPaint(Canvas& canvas, const BackdropView& view);

private:
    bool visible_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

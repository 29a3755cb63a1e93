#include "render/BackgroundFrm.h"

#include "render/RampEdit.h"

void TBackgroundForm::FormCreate(SystemMetrics& metrics) {
    // With one display the calibration window covers all there is to darken.
    visible_ = Engine().DisplayCount() > 1;
    DisplayChange(metrics);
}

void TBackgroundForm::DisplayChange(SystemMetrics& metrics) {
    // The metrics are read in the order a form's bounds take them: left, top, height, width.
    left_ = metrics.VirtualScreen(VirtualScreenMetric::kLeft);
    top_ = metrics.VirtualScreen(VirtualScreenMetric::kTop);
    height_ = metrics.VirtualScreen(VirtualScreenMetric::kHeight);
    width_ = metrics.VirtualScreen(VirtualScreenMetric::kWidth);
}

void TBackgroundForm::FormPaint(Canvas& canvas, const BackdropView& view) {
    canvas.SetBrushColor(kBlack);
    canvas.FillRect(0, 0, view.clientWidth, view.clientHeight);
    if (view.page != kColorBalancePage)
        return;

    ScreenRect r = DesktopRect();
    r.left -= view.originX;
    r.right -= view.originX;
    r.top -= view.originY;
    r.bottom -= view.originY;
    DrawGreySteps(canvas, r.left, r.top, r.right - r.left, r.bottom - r.top - view.panelHeight);
}

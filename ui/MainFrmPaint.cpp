#include "app/Language.h"
#include "app/Settings.h"
#include "ramp/Displays.h"
#include "render/PagePainter.h"
#include "ui/MainFrm.h"

void TMainForm::FormPaint(Canvas& canvas) {
    canvas.SetBrushColor(background_);
    canvas.FillRect(0, 0, host_.ClientWidth(), host_.ClientHeight());
    if (SelectedDisplay >= Engine().DisplayCount)
        return;  // nothing to paint for before a display is chosen
    const ScreenRect& display = Engine().Displays[SelectedDisplay].info.monitor;
    PageView view;
    view.page = CurrentPage();
    view.clientWidth = host_.ClientWidth();
    view.dpi = host_.Dpi();
    view.panelTop = BarTop();
    view.panelHeight = BarHeight();
    // The borderless window covers the display, so its client area starts at its corner.
    view.originX = display.left;
    view.originY = display.top;
    view.clientHeight = host_.ClientHeight();
    if (view.page == 8) {
        view.referenceImagePath = Settings().ReferenceImagePath;
        view.referenceImageTexts = {LangText("RefImageDamaged"),  LangText("RefImageUnsupported"),
                                    LangText("RefImageTooLarge"), LangText("RefImageUnreadable"),
                                    LangText("RefImageNoMemory"), kLabelGrey};
    }
    PaintPage(canvas, view);
}

#include "app/Language.h"
#include "app/Settings.h"
#include "ramp/Displays.h"
#include "render/PagePainter.h"
#include "render/ReferenceImage.h"
#include "ui/MainFrm.h"

void TMainForm::FormPaint(Canvas& canvas) {
    canvas.SetBrushColor(background_);
    canvas.FillRect(0, 0, host_.ClientWidth(), host_.ClientHeight());
    if (Engine().CurrentDisplay >= Engine().DisplayCount())
        return;  // nothing to paint for before a display is chosen
    const ScreenRect& display = Engine().Displays[Engine().CurrentDisplay].info.monitor;
    PageView view;
    view.page = CurrentPage();
    view.clientWidth = host_.ClientWidth();
    view.dpi = host_.Dpi();
    view.panelTop = BarTop();
    view.panelHeight = BarHeight();
    // The borderless window covers the display, so its client area starts at its corner.
    view.originX = display.left;
    view.originY = display.top;
    view.referenceImagePath = Settings().ReferenceImagePath;
    view.referenceImageRefused = Settings().ReferenceImageRefused;
    view.clientHeight = host_.ClientHeight();
    if (view.page == 8) {
        view.referenceImageTexts = {LangText("RefImageDamaged"),
                                    LangText("RefImageUnsupported"),
                                    LangText("RefImageTooLarge"),
                                    LangText("RefImageUnreadable"),
                                    LangText("RefImageNoMemory"),
                                    LangText("RefImageNotLocal"),
                                    kLabelGrey};
        // The labels are drawn over the photograph: each gets a backing the size of its text.
        view.background = background_;
        for (const Label* label : {HelpLabel.get(), FileLabel.get()}) {
            if (!label->IsVisible() || label->GetText().empty())
                continue;
            const Bounds b = label->TextBounds();
            view.textBackings.push_back({b.left, b.top, b.left + b.width, b.top + b.height});
        }
    }
    PaintPage(canvas, view);
    // Whether the file's colour profile could be used is known once the image is decoded, here:
    // the label says so from the next paint on.
    if (view.page == 8 && FileLabel->IsVisible() &&
        FileLabel->GetText() != FileLabelText(view.referenceImagePath)) {
        LayOutFileLabel();
        host_.Invalidate();
    }
}

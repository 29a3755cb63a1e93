#include "ui/Pages.h"

#include "ramp/Displays.h"

void PaintPage(Canvas& canvas, const PageView& view) {
    // Every pattern is placed on the selected display; with none there is nowhere to centre.
    const DisplayState& engine = Engine();
    if (engine.CurrentDisplay < 0 || engine.CurrentDisplay >= engine.DisplayCount())
        return;
    if (view.page < 0 || view.page >= kPageCount || !kPages[view.page].pattern)
        return;
    kPages[view.page].pattern(canvas, view);
}

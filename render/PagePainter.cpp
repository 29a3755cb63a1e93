#include "render/PagePainter.h"

#include "render/RampEdit.h"
#include "render/ReferenceImage.h"

namespace {

void Graph(Canvas& c, Color fill, bool marker) {
    DrawCurveGraph(c, CenterX(256), 4, fill, marker);
}

// The short grey mark at mid-height on each side of a centred pattern; the rest of the line
// is painted over by the pattern itself.
void MidMark(Canvas& c, int x, int y, int width) {
    c.SetPenColor(Grey(100));
    c.MoveTo(x - 4, y);
    c.LineTo(x + width + 4, y);
}

void EdgeBlends(Canvas& c, const PageView& view) {
    const int height = view.panelTop - 4;
    DrawEdgeBlend(c, 0, 0, 64, height, kWhite, kBlack);
    DrawEdgeBlend(c, view.clientWidth - 64, 0, 64, height, kBlack, kWhite);
}

void TextBackings(Canvas& c, const PageView& view) {
    c.SetBrushColor(view.background);
    for (const PageView::Box& box : view.textBackings)
        c.FillRect(box.left, box.top, box.right, box.bottom);
}

}  // namespace

void PaintBlackPoint(Canvas& c, const PageView& view) {
    Graph(c, kBlack, false);
    DrawLevelSquares(c, view.dpi, LevelSquares::kBlack);
}

void PaintWhitePoint(Canvas& c, const PageView& view) {
    Graph(c, kWhite, false);
    DrawLevelSquares(c, view.dpi, LevelSquares::kWhite);
}

void PaintGamma(Canvas& c, const PageView&) {
    Graph(c, kBlack, false);
    const int bx = CenterX(300), by = CenterY(200);
    MidMark(c, bx, by + 100, 300);
    DrawRampColumn(c, bx, by, 60, 200, 255, 0);
}

void PaintGammaSharp(Canvas& c, const PageView&) {
    Graph(c, kBlack, false);
    DrawGammaField(c, CenterX(480), CenterY(220), Patterns().PointPos);
}

void PaintColorBalance(Canvas& c, const PageView& view) {
    Graph(c, kBlack, false);
    const ScreenRect band = SideBandRect();
    const int top = band.top - view.originY;
    const int bottom = band.bottom - view.originY;
    const int height = bottom - top - view.panelHeight;
    DrawGreySteps(c, 0, top, 64, height);
    DrawGreySteps(c, view.clientWidth - 64, top, 64, height);

    const int bx = CenterX(300), by = CenterY(200);
    MidMark(c, bx, by + 100, 300);
    DrawRampColumn(c, bx, by, 60, 200, 224, 31);
    struct Square {
        int x, y, v;
    };
    const Square squares[] = {
        {bx - 68, by, 63},        {bx - 68, by + 70, 127},  {bx - 68, by + 140, 191},
        {bx - 136, by + 70, 255}, {bx + 308, by, 191},      {bx + 308, by + 70, 127},
        {bx + 308, by + 140, 63}, {bx + 376, by + 70, 255},
    };
    for (const Square& s : squares)
        DrawRowStripes(c, s.x, s.y, 60, 60, Grey(s.v), Grey(s.v));
}

void PaintCorrectionPoints(Canvas& c, const PageView& view) {
    Graph(c, kBlack, true);
    const int fx = CenterX(480), fy = CenterY(220);
    MidMark(c, fx, fy + 110, 480);
    DrawPointField(c, fx, fy, Patterns().PointPos);
    DrawLightSteps(c, fx + 38, fy + 230, 30, 12);
    DrawRampColumn(c, fx - 180, CenterY(256), 30, 256, 0, 255);
    DrawRampColumn(c, fx + 510, CenterY(256), 30, 256, 255, 0);
    EdgeBlends(c, view);
}

void PaintReferenceImagePage(Canvas& c, const PageView& view) {
    if (view.referenceImageRefused)
        DrawReferenceImageRefusal(c, view.referenceImagePath, view.referenceImageTexts);
    else
        DrawReferenceImage(c, view.referenceImagePath, view.clientWidth, view.clientHeight,
                           view.referenceImageTexts);
    EdgeBlends(c, view);
    TextBackings(c, view);
}

// The GDI canvas against the pixel buffer: the same drawing must give the same pixels, since
// the native tests check the patterns on the buffer only.
//
// Method: every page is painted at 1920 x 1080 on both canvases with an identity ramp and
// compared pixel for pixel. With an identity ramp every diagonal of the graph is either an
// exact 45-degree line (the grid) or a one-step line that paints only its start point (each
// curve step), and GDI and Bresenham agree on both, so nothing has to be masked but the
// level-square labels, whose glyphs only GDI rasterises; those are checked on their own. A
// bent ramp is compared with the graph's plot area masked.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <vector>

#include "fakes/SingleDisplay.h"
#include "ramp/Correction.h"
#include "ramp/Displays.h"
#include "render/PixelCanvas.h"
#include "render/RampEdit.h"
#include "ui/Pages.h"
#include "win32/GdiCanvas.h"

namespace {

struct Area {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

std::string Describe(Color c) {
    std::ostringstream os;
    os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
    return os.str();
}

::testing::AssertionResult SamePixels(const GdiCanvas& gdi, const PixelCanvas& buffer,
                                      const std::vector<Area>& masked = {}) {
    if (gdi.Width() != buffer.Width() || gdi.Height() != buffer.Height())
        return ::testing::AssertionFailure() << "sizes differ";
    long differing = 0;
    std::ostringstream first;
    for (int y = 0; y < gdi.Height(); ++y) {
        for (int x = 0; x < gdi.Width(); ++x) {
            bool skip = false;
            for (const Area& a : masked)
                skip = skip || a.Contains(x, y);
            if (skip || gdi.At(x, y) == buffer.At(x, y))
                continue;
            if (differing++ == 0)
                first << "(" << x << "," << y << ") GDI " << Describe(gdi.At(x, y)) << ", buffer "
                      << Describe(buffer.At(x, y));
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ, first " << first.str();
}

// The window font: Tahoma at 11 pixels, without smoothing so that glyph pixels are exact.
GdiObject<HFONT> WindowFont() {
    return GdiObject<HFONT>(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                        NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma"));
}

class GdiCanvasTest : public ::testing::Test {
protected:
    void SetUp() override { UseSingleDisplay(1920, 1080); }

    // Draws the same on a GDI canvas and a pixel buffer, both first filled with `background`.
    void DrawBoth(int width, int height, Color background,
                  const std::function<void(Canvas&)>& draw) {
        gdi_ = std::make_unique<GdiCanvas>(nullptr, width, height, font_.get());
        ASSERT_TRUE(gdi_->Valid());
        gdi_->Clear(background);
        draw(*gdi_);
        buffer_ = std::make_unique<PixelCanvas>(width, height, background);
        draw(*buffer_);
    }

    static PageView View(int page) {
        PageView view;
        view.page = page;
        view.clientWidth = 1920;
        view.panelTop = 1027;
        view.panelHeight = 53;
        return view;
    }

    GdiObject<HFONT> font_ = WindowFont();
    std::unique_ptr<GdiCanvas> gdi_;
    std::unique_ptr<PixelCanvas> buffer_;
};

TEST_F(GdiCanvasTest, FillsAndLinesFollowTheSameRules) {
    DrawBoth(64, 48, Color{1, 2, 3}, [](Canvas& c) {
        c.SetBrushColor(Color{200, 10, 10});
        c.FillRect(2, 3, 9, 7);
        c.FillRect(-5, 40, 70, 52);  // clipped
        c.FillRect(20, 20, 20, 30);  // empty
        c.FillRect(30, 30, 25, 25);  // inverted
        c.SetPenColor(Color{10, 200, 10});
        c.MoveTo(10, 10);
        c.LineTo(30, 10);  // right
        c.LineTo(30, 25);  // down, from the last end point
        c.SetPenColor(Color{10, 10, 200});
        c.LineTo(12, 25);  // left
        c.LineTo(12, 12);  // up
        c.MoveTo(40, 5);
        c.LineTo(60, 25);  // 45 degrees down-right
        c.MoveTo(40, 30);
        c.LineTo(50, 20);  // 45 degrees up-right
        c.MoveTo(62, 2);
        c.LineTo(70, 2);  // runs off the edge
        c.MoveTo(35, 35);
        c.LineTo(35, 35);  // no length
    });
    EXPECT_TRUE(SamePixels(*gdi_, *buffer_));
    EXPECT_EQ(gdi_->At(8, 6), (Color{200, 10, 10}));
    EXPECT_EQ(gdi_->At(9, 6), (Color{1, 2, 3}));
    EXPECT_EQ(gdi_->At(60, 25), (Color{1, 2, 3}));
}

TEST_F(GdiCanvasTest, BitmapsLandOnTheSamePixels) {
    Bitmap bgr{3, 2, 24, {}};
    bgr.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
    Bitmap grey{5, 2, 8, {10, 20, 30, 40, 50, 0, 0, 0, 60, 70, 80, 90, 100, 0, 0, 0}};
    DrawBoth(16, 8, kBlack, [&](Canvas& c) {
        c.DrawBitmap(2, 1, bgr);
        c.DrawBitmap(-1, 5, bgr);
        c.DrawBitmap(13, 6, grey);
        c.DrawBitmap(6, 1, grey);
    });
    EXPECT_TRUE(SamePixels(*gdi_, *buffer_));
    EXPECT_EQ(gdi_->At(2, 1), (Color{3, 2, 1}));
    EXPECT_EQ(gdi_->At(7, 2), Grey(70));
}

TEST_F(GdiCanvasTest, TextHasAnOpaqueBackgroundOfTheBrushColour) {
    const std::string label = "(254,254,254)";
    DrawBoth(120, 30, kBlack, [&](Canvas& c) {
        c.SetFontColor(Grey(180));
        c.SetBrushColor(kWhite);
        c.TextOut(5, 6, label);
    });
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32A(gdi_->Dc(), label.data(), int(label.size()), &extent));
    ASSERT_GT(extent.cx, 20);
    int glyphPixels = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Color p = gdi_->At(x, y);
            if (x >= 5 && x < 5 + extent.cx && y >= 6 && y < 6 + extent.cy) {
                EXPECT_TRUE(p == kWhite || p == Grey(180)) << x << "," << y;
                glyphPixels += p == Grey(180);
            } else {
                EXPECT_EQ(p, kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_GT(glyphPixels, 30);
}

TEST_F(GdiCanvasTest, EveryPageGivesTheBufferPixels) {
    Patterns().PointPos = 60;
    Engine().Corrections[0].PointOn[0] = 1;
    Engine().Corrections[0].PointOn[60] = 1;
    Engine().Corrections[0].PointOn[255] = 1;
    for (int page = 0; page <= 8; ++page) {
        const Color background = page == 2 ? kWhite : kBlack;
        DrawBoth(1920, 1080, background, [&](Canvas& c) { PaintPage(c, View(page)); });
        std::vector<Area> labels;
        if (page == 1 || page == 2)
            labels.push_back({0, 476, 1920, 510});
        EXPECT_TRUE(SamePixels(*gdi_, *buffer_, labels)) << "page " << page;
    }
}

TEST_F(GdiCanvasTest, LevelSquareLabelsSitInTheirBand) {
    DrawBoth(1920, 1080, kWhite, [&](Canvas& c) { PaintPage(c, View(2)); });
    // Each label's glyphs start 2 pixels right of its square and stay above the squares, and
    // no other label's glyphs run up to its first column.
    for (const TextRecord& t : buffer_->Texts()) {
        int glyphPixels = 0;
        for (int y = t.y; y < t.y + 14; ++y) {
            for (int x = t.x; x < t.x + 60; ++x)
                glyphPixels += gdi_->At(x, y) == Grey(180);
            EXPECT_EQ(gdi_->At(t.x - 1, y), kWhite) << t.text;
            EXPECT_EQ(gdi_->At(t.x - 2, y), kWhite) << t.text;
        }
        EXPECT_GT(glyphPixels, 20) << t.text;
    }
    for (int y = 476; y < 510; ++y)
        for (int x = 0; x < 600; ++x)
            ASSERT_EQ(gdi_->At(x, y), kWhite) << x << "," << y;
}

TEST_F(GdiCanvasTest, BentCurvesMatchOutsideThePlot) {
    TCorrection c;
    c.Gamma = 40;
    c.BlackR = 8;
    BuildRamp(c, Engine().CurrentRamp);
    for (int page : {3, 6}) {
        DrawBoth(1920, 1080, kBlack, [&](Canvas& canvas) { PaintPage(canvas, View(page)); });
        EXPECT_TRUE(SamePixels(*gdi_, *buffer_, {{832, 4, 1089, 260}})) << "page " << page;
        // Inside, every column of the plot still shows the curve drawn last.
        for (int x = 832; x < 1088; ++x) {
            bool blue = false;
            for (int y = 4; y < 260; ++y)
                blue = blue || gdi_->At(x, y) == (Color{0, 0, 255});
            EXPECT_TRUE(blue) << "column " << x;
        }
    }
}

TEST_F(GdiCanvasTest, PainterStartsEachPaintFromTheBackgroundAndLetsGoOfTheFont) {
    GdiCanvas window(nullptr, 40, 20, nullptr);
    ASSERT_TRUE(window.Valid());
    BufferedPainter painter;
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma");
    EXPECT_TRUE(painter.Paint(window.Dc(), 40, 20, font, kWhite, [](Canvas& c) {
        c.SetBrushColor(kBlack);
        c.FillRect(0, 0, 5, 5);
        c.TextOut(8, 2, "(1,1,1)");
    }));
    EXPECT_EQ(window.At(0, 0), kBlack);
    // A font still selected into a DC is not deleted (Windows refuses, Wine defers it).
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(GetObjectType(font), 0u);

    // The next paint, same size, shows nothing of the first.
    EXPECT_TRUE(painter.Paint(window.Dc(), 40, 20, nullptr, Grey(9), [](Canvas&) {}));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(window.At(x, y), Grey(9)) << x << "," << y;

    // A smaller client area: only that part of the target is painted.
    window.Clear(kWhite);
    EXPECT_TRUE(painter.Paint(window.Dc(), 10, 4, nullptr, Grey(9), [](Canvas&) {}));
    EXPECT_EQ(window.At(9, 3), Grey(9));
    EXPECT_EQ(window.At(10, 3), kWhite);
    EXPECT_EQ(window.At(9, 4), kWhite);

    bool called = false;
    EXPECT_TRUE(
        painter.Paint(window.Dc(), 0, 20, nullptr, kBlack, [&](Canvas&) { called = true; }));
    EXPECT_FALSE(called);
}

LRESULT CALLBACK BufferedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintWindowBuffered(hwnd, nullptr, Grey(9), [](Canvas& c) {
                c.SetBrushColor(kWhite);
                c.FillRect(10, 5, 12, 6);
            });
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(GdiCanvasTest, WindowPaintGoesThroughTheBuffer) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BufferedWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TonecastBufferedPaintTest";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                                40, 20, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    UpdateWindow(hwnd);
    GdiFlush();

    GdiCanvas copy(nullptr, 40, 20, nullptr);
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 40, 20, WindowDC(hwnd).get(), 0, 0, SRCCOPY));
    DestroyWindow(hwnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);

    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(copy.At(x, y), (x >= 10 && x < 12 && y == 5) ? kWhite : Grey(9))
                << x << "," << y;
}

}  // namespace

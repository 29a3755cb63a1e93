// Each page's pattern on a 1920 x 1080 display, checked where the patterns meet the edges
// of the window and each other.

#include <gtest/gtest.h>

#include "PixelChecks.h"
#include "fakes/MemoryFileSystem.h"
#include "ui/Pages.h"

namespace {

class PagePainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSingleDisplay(1920, 1080);
        UseFileSystem(files);  // page 8 looks for its image file
    }

    PageView View(int page) const {
        PageView view;
        view.page = page;
        view.clientWidth = 1920;
        view.panelTop = 1080 - 53;
        view.panelHeight = 53;
        return view;
    }
    PixelCanvas Paint(int page, Color background = kBlack) const {
        PixelCanvas canvas(1920, 1080, background);
        PaintPage(canvas, View(page));
        return canvas;
    }
    MemoryFileSystem files;

    static bool SamePixels(const PixelCanvas& a, const PixelCanvas& b) {
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (!(a.At(x, y) == b.At(x, y)))
                    return false;
        return true;
    }
};

TEST_F(PagePainterTest, WelcomeAndUnknownPagesPaintNothing) {
    for (int page : {0, -1, 9, 100}) {
        const PixelCanvas canvas = Paint(page);
        EXPECT_EQ(PaintedBox(canvas), Box{}) << page;
        EXPECT_TRUE(canvas.Texts().empty()) << page;
    }
}

TEST_F(PagePainterTest, NothingIsPaintedWithoutADisplay) {
    Engine() = DisplayState{};
    for (int page = 0; page <= 8; ++page)
        EXPECT_EQ(PaintedBox(Paint(page)), Box{}) << page;
}

TEST_F(PagePainterTest, BlackAndWhitePointPagesShowGraphAndSquares) {
    const PixelCanvas black = Paint(1);
    EXPECT_EQ(PaintedBox(black), (Box{600, 4, 1300, 570}));
    EXPECT_TRUE(AllOf(black, {840, 10, 890, 60}, kBlack));  // graph filled black
    EXPECT_TRUE(AllOf(black, {600, 510, 660, 570}, Grey(1)));
    ASSERT_EQ(black.Texts().size(), 9u);
    EXPECT_EQ(black.Texts()[0], (TextRecord{614, 490, "(1,1,1)", Grey(80), kBlack}));

    const PixelCanvas white = Paint(2, kWhite);
    EXPECT_EQ(PaintedBox(white, kWhite), (Box{600, 4, 1300, 570}));
    EXPECT_TRUE(AllOf(white, {840, 10, 890, 60}, kWhite));
    EXPECT_EQ(white.At(1087, 100), Grey(128));
    EXPECT_TRUE(AllOf(white, {1240, 510, 1300, 570}, Grey(254)));
    EXPECT_EQ(white.Texts()[8], (TextRecord{1242, 490, "(254,254,254)", Grey(180), kWhite}));
}

TEST_F(PagePainterTest, GammaPageGradientWithMidHeightMarks) {
    // Graph above, gradient in the centre; nothing else. Its last rows are black.
    EXPECT_EQ(PaintedBox(Paint(3, Grey(7)), Grey(7)), (Box{806, 4, 1114, 642}));
    const PixelCanvas canvas = Paint(3);
    EXPECT_TRUE(AllOf(canvas, {810, 440, 840, 441}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {810, 640, 840, 642}, kBlack));
    EXPECT_EQ(canvas.At(1109, 440), kWhite);
    EXPECT_EQ(canvas.At(1110, 440), kBlack);
    EXPECT_TRUE(AllOf(canvas, {806, 540, 810, 541}, Grey(100)));
    EXPECT_TRUE(AllOf(canvas, {1110, 540, 1114, 541}, Grey(100)));
    EXPECT_TRUE(AllOf(canvas, {0, 271, 1920, 440}, kBlack));
}

TEST_F(PagePainterTest, GammaSharpPageUsesPointPos) {
    Patterns().PointPos = 100;
    const PixelCanvas canvas = Paint(4);
    EXPECT_EQ(PaintedBox(canvas), (Box{720, 4, 1200, 652}));
    EXPECT_EQ(canvas.At(720, 430), Grey(100));
    EXPECT_EQ(canvas.At(770, 440), Grey(0));
    EXPECT_EQ(canvas.At(771, 440), Grey(137));
}

TEST_F(PagePainterTest, ColorBalanceOnASingleDisplay) {
    const PixelCanvas canvas = Paint(5);
    // h = 1080 - 53 = 1027, bands of 128 rows from the window's top.
    for (int left : {0, 1856}) {
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(
                AllOf(canvas, {left, 128 * i, left + 64, 128 * i + 128}, Grey(255 - 32 * i)))
                << left << " band " << i;
        EXPECT_TRUE(AllOf(canvas, {left, 1024, left + 64, 1080}, kBlack)) << left;
    }
    EXPECT_TRUE(AllOf(canvas, {64, 272, 674, 1080}, kBlack));

    // Gradient from 224 to 31 with its squares at bx = 810, by = 440.
    EXPECT_EQ(canvas.At(810, 440), Grey(224));
    EXPECT_EQ(canvas.At(810, 641), Grey(31));
    struct Square {
        int x, y, v;
    };
    for (const Square& s : {Square{742, 440, 63}, Square{742, 510, 127}, Square{742, 580, 191},
                            Square{674, 510, 255}, Square{1118, 440, 191}, Square{1118, 510, 127},
                            Square{1118, 580, 63}, Square{1186, 510, 255}}) {
        EXPECT_TRUE(AllOf(canvas, {s.x, s.y, s.x + 60, s.y + 62}, Grey(s.v))) << s.x << "," << s.y;
    }
    // The marks between gradient and squares, and the 8-pixel gaps.
    EXPECT_TRUE(AllOf(canvas, {806, 540, 810, 541}, Grey(100)));
    EXPECT_TRUE(AllOf(canvas, {802, 440, 806, 540}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {734, 440, 742, 502}, kBlack));
}

TEST_F(PagePainterTest, ColorBalanceStepsFollowTheSideNeighbours) {
    AddDisplay({1920, 0, 3840, 540});
    const PixelCanvas canvas = Paint(5);
    // h = 540 - 53 = 487, bands of 60 rows.
    EXPECT_TRUE(AllOf(canvas, {0, 0, 64, 60}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {1856, 420, 1920, 480}, Grey(31)));
    EXPECT_TRUE(AllOf(canvas, {0, 480, 64, 1080}, kBlack));

    // A neighbour on the left that starts below the right one's bottom leaves no rows.
    AddDisplay({-1920, 700, 0, 1080});
    const PixelCanvas none = Paint(5);
    EXPECT_TRUE(AllOf(none, {0, 0, 64, 1080}, kBlack));
    EXPECT_TRUE(AllOf(none, {1856, 0, 1920, 1080}, kBlack));
}

TEST_F(PagePainterTest, ColorBalanceStepsInClientCoordinates) {
    // The selected display is the right one; its neighbour covers only its lower half.
    Engine() = DisplayState{};
    AddDisplay({-1920, 540, 0, 1080});
    AddDisplay({0, 0, 1920, 1080});
    Engine().CurrentDisplay = 1;
    LinearRamp(Engine().CurrentRamp);
    PageView view = View(5);
    view.originX = 0;
    view.originY = 0;
    PixelCanvas canvas(1920, 1080);
    PaintPage(canvas, view);
    EXPECT_TRUE(AllOf(canvas, {0, 0, 64, 540}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {0, 540, 64, 600}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {1856, 960, 1920, 1020}, Grey(31)));
    EXPECT_TRUE(AllOf(canvas, {0, 1020, 64, 1080}, kBlack));

    // The same desktop moved: the window's client area starts at the display's corner.
    Engine().Displays[0].info.monitor = {-1920, 240, 0, 780};
    Engine().Displays[1].info.monitor = {0, -300, 1920, 780};
    view.originY = -300;
    PixelCanvas moved(1920, 1080);
    PaintPage(moved, view);
    EXPECT_TRUE(SamePixels(canvas, moved));
}

TEST_F(PagePainterTest, CorrectionPointsAndAllControlsAreTheSamePattern) {
    Patterns().PointPos = 0;
    const PixelCanvas canvas = Paint(6);
    EXPECT_TRUE(SamePixels(canvas, Paint(7)));

    // Edge blends on rows 0-1023: white to black on the left, black to white on the right.
    EXPECT_TRUE(AllOf(canvas, {0, 0, 64, 1}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {0, 1023, 64, 1024}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {1856, 0, 1920, 1}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {1856, 1023, 1920, 1024}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {0, 1024, 1920, 1080}, kBlack));
    EXPECT_EQ(PaintedBox(canvas, kBlack), (Box{0, 0, 1920, 1024}));

    // The marker at PointPos 0 lies on the graph's left frame column.
    EXPECT_TRUE(AllOf(canvas, {832, 5, 833, 259}, Grey(140)));

    // Field at (720, 430), its mid marks, light steps 8 below it, side columns 30 off it.
    EXPECT_TRUE(AllOf(canvas, {716, 540, 720, 541}, Grey(100)));
    EXPECT_TRUE(AllOf(canvas, {1200, 540, 1204, 541}, Grey(100)));
    EXPECT_EQ(canvas.At(720, 430), kBlack);  // grey PointPos
    EXPECT_TRUE(AllOf(canvas, {758, 660, 788, 690}, Grey(211)));
    EXPECT_TRUE(AllOf(canvas, {1132, 660, 1162, 690}, kWhite));
    EXPECT_EQ(canvas.At(540, 412), kBlack);  // CenterY(256) = 412: black at the top
    EXPECT_EQ(canvas.At(540, 668), kWhite);
    EXPECT_EQ(canvas.At(689, 412), kBlack);
    EXPECT_EQ(canvas.At(690, 500), kBlack);  // 30-pixel gap to the field
    EXPECT_EQ(canvas.At(1230, 412), kWhite);
    EXPECT_EQ(canvas.At(1230, 669), kBlack);
    EXPECT_EQ(canvas.At(1379, 412), kWhite);
}

TEST_F(PagePainterTest, ReferenceImagePageWithoutAnImageShowsTheEdgeBlends) {
    PageView view = View(8);
    view.referenceImagePath = "/no/such/image.jpg";
    PixelCanvas canvas(1920, 1080);
    PaintPage(canvas, view);
    EXPECT_TRUE(AllOf(canvas, {64, 0, 1856, 1080}, kBlack));  // no graph on this page
    EXPECT_TRUE(AllOf(canvas, {0, 0, 64, 1}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {1856, 1023, 1920, 1024}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {0, 1024, 1920, 1080}, kBlack));
}

}  // namespace

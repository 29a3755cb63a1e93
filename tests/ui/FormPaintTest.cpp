// What the window hands the page painter: its background, the bar's place and the display.
#include "WindowFixture.h"
#include "render/PixelCanvas.h"

namespace {

class FormPaint : public WindowTest {
protected:
    void SetUp() override { OpenOneFullHdDisplay(); }
    PixelCanvas Paint(int page) {
        form->ShowPage(page);
        PixelCanvas canvas(1920, 1080, Color{1, 2, 3});
        form->FormPaint(canvas);
        return canvas;
    }
};

TEST_F(FormPaint, TheWholeClientAreaStartsInTheWindowsBackground) {
    const PixelCanvas welcome = Paint(0);  // a page without a pattern
    EXPECT_EQ(welcome.At(0, 0), kBlack);
    EXPECT_EQ(welcome.At(1919, 1079), kBlack);
    const PixelCanvas white = Paint(2);
    EXPECT_EQ(white.At(0, 0), kWhite);
    EXPECT_EQ(white.At(1919, 1079), kWhite);
}

TEST_F(FormPaint, TheEdgeBlendsReachDownToFourPixelsAboveTheBar) {
    const PixelCanvas points = Paint(6);
    EXPECT_EQ(points.At(0, 0), kWhite);        // the left blend starts white
    EXPECT_EQ(points.At(1919, 1023), kWhite);  // the right one ends white at bar top 1027 - 4
    EXPECT_EQ(points.At(1919, 1024), kBlack);  // the background again
}

}  // namespace

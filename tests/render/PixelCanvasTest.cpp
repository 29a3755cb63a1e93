// The pixel buffer must follow GDI's fill and line rules exactly, or every pattern test built
// on it checks the wrong pixels.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "PixelChecks.h"

namespace {

constexpr Color kPureRed{255, 0, 0};

TEST(PixelCanvasTest, FillExcludesRightAndBottomEdgesAndClips) {
    PixelCanvas c(10, 8);
    c.SetBrushColor(kPureRed);
    c.FillRect(2, 3, 5, 4);
    EXPECT_EQ(PaintedBox(c), (Box{2, 3, 5, 4}));
    EXPECT_TRUE(AllOf(c, {2, 3, 5, 4}, kPureRed));

    c.Clear(kBlack);
    c.FillRect(-3, 6, 30, 12);
    EXPECT_EQ(PaintedBox(c), (Box{0, 6, 10, 8}));

    c.Clear(kBlack);
    c.FillRect(5, 5, 5, 7);  // no columns
    c.FillRect(6, 4, 2, 2);  // inverted
    EXPECT_EQ(PaintedBox(c), Box{});
}

TEST(PixelCanvasTest, LinesStopShortOfTheirEndPointInEveryDirection) {
    PixelCanvas c(12, 12);
    c.SetPenColor(kWhite);
    c.MoveTo(2, 1);
    c.LineTo(6, 1);  // right: 2..5
    EXPECT_EQ(PaintedBox(c), (Box{2, 1, 6, 2}));

    c.Clear(kBlack);
    c.MoveTo(6, 1);
    c.LineTo(2, 1);  // left: 6..3
    EXPECT_EQ(PaintedBox(c), (Box{3, 1, 7, 2}));

    c.Clear(kBlack);
    c.MoveTo(4, 9);
    c.LineTo(4, 3);  // up: rows 9..4
    EXPECT_EQ(PaintedBox(c), (Box{4, 4, 5, 10}));

    c.Clear(kBlack);
    c.MoveTo(4, 3);
    c.LineTo(4, 3);  // no length, no pixel
    EXPECT_EQ(PaintedBox(c), Box{});
}

TEST(PixelCanvasTest, LineToContinuesFromTheLastEndPoint) {
    PixelCanvas c(8, 8);
    c.SetPenColor(kWhite);
    c.MoveTo(1, 1);
    c.LineTo(4, 1);
    c.SetPenColor(kPureRed);
    c.LineTo(4, 5);
    EXPECT_TRUE(AllOf(c, {1, 1, 4, 2}, kWhite));
    EXPECT_TRUE(AllOf(c, {4, 1, 5, 5}, kPureRed));  // starts on the first line's excluded end
    EXPECT_EQ(c.At(4, 5), kBlack);
}

TEST(PixelCanvasTest, DiagonalAtFortyFiveDegreesPaintsEachStepButTheLast) {
    PixelCanvas c(8, 8);
    c.SetPenColor(kWhite);
    c.MoveTo(1, 6);
    c.LineTo(5, 2);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(c.At(1 + k, 6 - k), kWhite) << k;
    EXPECT_EQ(c.At(5, 2), kBlack);
    EXPECT_EQ(PaintedBox(c), (Box{1, 3, 5, 7}));

    c.Clear(kBlack);
    c.MoveTo(INT_MIN, 4);  // far out of range: clipped without overflow
    c.LineTo(INT_MAX, 4);
    c.LineTo(INT_MAX, INT_MIN);
    c.MoveTo(3, INT_MAX);
    c.LineTo(3, INT_MIN);
    EXPECT_TRUE(AllOf(c, {0, 4, 8, 5}, kWhite));
    EXPECT_TRUE(AllOf(c, {3, 0, 4, 8}, kWhite));
    EXPECT_EQ(PaintedBox(c), (Box{0, 0, 8, 8}));

    c.Clear(kBlack);
    c.MoveTo(-2, 3);  // clipped, not wrapped into the previous row
    c.LineTo(3, 8);
    EXPECT_EQ(PaintedBox(c), (Box{0, 5, 3, 8}));
}

TEST(PixelCanvasTest, BitmapsAreDrawnFromBgrOrGreyRowsAndClipped) {
    Bitmap bgr{2, 2, 24, {}};
    // Rows of 6 bytes padded to 8.
    bgr.pixels = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    PixelCanvas c(4, 3);
    c.DrawBitmap(1, 1, bgr);
    EXPECT_EQ(c.At(1, 1), (Color{3, 2, 1}));
    EXPECT_EQ(c.At(2, 1), (Color{6, 5, 4}));
    EXPECT_EQ(c.At(1, 2), (Color{9, 8, 7}));
    EXPECT_EQ(c.At(2, 2), (Color{12, 11, 10}));
    EXPECT_EQ(PaintedBox(c), (Box{1, 1, 3, 3}));

    c.Clear(kBlack);
    c.DrawBitmap(-1, 2, bgr);
    EXPECT_EQ(c.At(0, 2), (Color{6, 5, 4}));
    EXPECT_EQ(PaintedBox(c), (Box{0, 2, 1, 3}));

    Bitmap grey{3, 1, 8, {10, 20, 30, 0}};
    c.Clear(kBlack);
    c.DrawBitmap(2, 0, grey);
    EXPECT_EQ(c.At(2, 0), Grey(10));
    EXPECT_EQ(c.At(3, 0), Grey(20));
    EXPECT_EQ(PaintedBox(c), (Box{2, 0, 4, 1}));

    c.Clear(kBlack);
    c.DrawBitmap(30, 30, grey);  // wholly outside
    c.DrawBitmap(INT_MIN, INT_MAX, grey);
    Bitmap truncated{2, 2, 24, std::vector<std::uint8_t>(10)};
    c.DrawBitmap(0, 0, truncated);  // a buffer shorter than its rows is not read
    EXPECT_EQ(PaintedBox(c), Box{});
}

TEST(PixelCanvasTest, TextIsRecordedWithFontAndBackgroundColours) {
    PixelCanvas c(4, 4);
    c.SetFontColor(Grey(80));
    c.SetBrushColor(kPureRed);
    c.TextOut(-5, 7, "(1,1,1)");
    ASSERT_EQ(c.Texts().size(), 1u);
    EXPECT_EQ(c.Texts()[0], (TextRecord{-5, 7, "(1,1,1)", Grey(80), kPureRed}));
    EXPECT_EQ(PaintedBox(c), Box{});
}

TEST(PixelCanvasTest, PpmHoldsHeaderAndRowsOfRgb) {
    PixelCanvas c(2, 1, Color{1, 2, 3});
    c.SetPenColor(Color{250, 251, 252});
    c.MoveTo(1, 0);
    c.LineTo(2, 0);
    const std::string path = ::testing::TempDir() + "pixelcanvas.ppm";
    ASSERT_TRUE(c.WritePpm(path));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes, std::string("P6\n2 1\n255\n\x01\x02\x03\xFA\xFB\xFC"));
    std::remove(path.c_str());

    EXPECT_FALSE(c.WritePpm(::testing::TempDir() + "no-such-folder/x.ppm"));
}

}  // namespace

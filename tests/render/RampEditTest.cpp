// The drawing routines checked pixel by pixel on a 1920 x 1080 display.

#include <gtest/gtest.h>

#include "PixelChecks.h"
#include "render/RampEdit.h"

namespace {

constexpr Color kPureRed{255, 0, 0};
constexpr Color kCurveGreen{0, 128, 0};
constexpr Color kPureBlue{0, 0, 255};

class RampEditTest : public ::testing::Test {
protected:
    void SetUp() override { UseSingleDisplay(1920, 1080); }
    PixelCanvas canvas{1920, 1080};
};

TEST_F(RampEditTest, RowStripesAreTwoRowsTallerThanNominal) {
    const Color a{10, 20, 30}, b{40, 50, 60};
    DrawRowStripes(canvas, 100, 200, 60, 60, a, b);
    EXPECT_EQ(PaintedBox(canvas), (Box{100, 200, 160, 262}));
    EXPECT_TRUE(AllOf(canvas, {100, 200, 160, 201}, a));
    EXPECT_TRUE(AllOf(canvas, {100, 201, 160, 202}, b));
    EXPECT_TRUE(AllOf(canvas, {100, 260, 160, 261}, a));
    EXPECT_TRUE(AllOf(canvas, {100, 261, 160, 262}, b));

    canvas.Clear(kBlack);
    DrawRowStripes(canvas, 100, 200, 60, -2, a, b);  // n = -1
    EXPECT_EQ(PaintedBox(canvas), Box{});
}

TEST_F(RampEditTest, ColumnStripesAreTwoColumnsWiderThanNominal) {
    const Color a{10, 20, 30}, b{40, 50, 60};
    DrawColumnStripes(canvas, 100, 200, 60, 60, a, b);
    EXPECT_EQ(PaintedBox(canvas), (Box{100, 200, 162, 260}));
    EXPECT_TRUE(AllOf(canvas, {100, 200, 101, 260}, a));
    EXPECT_TRUE(AllOf(canvas, {101, 200, 102, 260}, b));
    EXPECT_TRUE(AllOf(canvas, {160, 200, 161, 260}, a));
    EXPECT_TRUE(AllOf(canvas, {161, 200, 162, 260}, b));
}

TEST_F(RampEditTest, EdgeBlendRoundsHalvesToEven) {
    const Color background{1, 2, 3};
    canvas.Clear(background);
    DrawEdgeBlend(canvas, 0, 0, 64, 1023, kWhite, kBlack);
    EXPECT_EQ(PaintedBox(canvas, background), (Box{0, 0, 64, 1024}));
    EXPECT_TRUE(AllOf(canvas, {0, 1021, 64, 1024}, kBlack));  // 0.498 rounds down
    EXPECT_TRUE(AllOf(canvas, {0, 0, 64, 1}, kWhite));
    EXPECT_TRUE(AllOf(canvas, {0, 512, 64, 513}, Grey(127)));  // 255 - 512 * 255 / 1023 = 127.37

    canvas.Clear(Color{9, 9, 9});
    // 0.5 and 1.5 round to 0 and 2; rounding away from zero would give 1 and 2.
    DrawEdgeBlend(canvas, 10, 10, 3, 2, Color{1, 3, 200}, kBlack);
    EXPECT_TRUE(AllOf(canvas, {10, 10, 13, 11}, (Color{1, 3, 200})));
    EXPECT_TRUE(AllOf(canvas, {10, 11, 13, 12}, (Color{0, 2, 100})));
    EXPECT_TRUE(AllOf(canvas, {10, 12, 13, 13}, kBlack));
    EXPECT_EQ(PaintedBox(canvas, Color{9, 9, 9}), (Box{10, 10, 13, 13}));
}

TEST_F(RampEditTest, EdgeBlendOfNoHeightIsOneRowOfTheTopColour) {
    canvas.Clear(Grey(9));
    DrawEdgeBlend(canvas, 5, 7, 4, 0, kPureRed, kPureBlue);
    EXPECT_EQ(PaintedBox(canvas, Grey(9)), (Box{5, 7, 9, 8}));
    EXPECT_TRUE(AllOf(canvas, {5, 7, 9, 8}, kPureRed));

    canvas.Clear(Grey(9));
    DrawEdgeBlend(canvas, 5, 7, 4, -1, kPureRed, kPureBlue);
    EXPECT_EQ(PaintedBox(canvas, Grey(9)), Box{});
}

TEST_F(RampEditTest, RampColumnCoversTwoMoreRowsThanItsCount) {
    canvas.Clear(Grey(7));
    DrawRampColumn(canvas, 810, 440, 60, 200, 200, 100);
    EXPECT_EQ(PaintedBox(canvas, Grey(7)), (Box{810, 440, 1110, 642}));
    EXPECT_TRUE(AllOf(canvas, {810, 640, 840, 642}, Grey(100)));

    // The stripes run to the gradient's last row: pair k = 100 at level 100 is (0, 137).
    EXPECT_TRUE(AllOf(canvas, {840, 640, 900, 641}, (Color{0, 100, 100})));
    EXPECT_TRUE(AllOf(canvas, {840, 641, 900, 642}, (Color{137, 100, 100})));
    EXPECT_TRUE(AllOf(canvas, {930, 641, 990, 642}, (Color{100, 137, 100})));
    EXPECT_TRUE(AllOf(canvas, {1020, 641, 1080, 642}, (Color{100, 100, 137})));
}

TEST_F(RampEditTest, RampColumnGradientAndStripeColumns) {
    DrawRampColumn(canvas, 810, 440, 60, 200, 255, 0);
    EXPECT_EQ(canvas.At(810, 440), kWhite);
    EXPECT_EQ(canvas.At(810, 460), Grey(230));  // 229.5 rounds to even
    DrawRampColumn(canvas, 10, 10, 30, 2, 5, 0);
    EXPECT_EQ(canvas.At(10, 11), Grey(2));  // 2.5 too; away from zero it would be 3
    EXPECT_EQ(canvas.At(810, 640), kBlack);

    // Stripes at offsets 30, 120 and 210, each 60 wide; the grey shows between them.
    // Pair k = 10 at level 230 is (201, 255) with a target gamma of 2.2.
    const Color grey = Grey(230), red{201, 230, 230}, green{230, 201, 230}, blue{230, 230, 201};
    const std::pair<int, Color> across[] = {{839, grey},  {840, red},   {899, red},   {900, grey},
                                            {929, grey},  {930, green}, {989, green}, {990, grey},
                                            {1020, blue}, {1079, blue}, {1080, grey}, {1109, grey}};
    for (const auto& [x, color] : across)
        EXPECT_EQ(canvas.At(x, 460), color) << x;
    EXPECT_EQ(canvas.At(1079, 461), (Color{230, 230, 255}));
    const int row = 460;
    // The second row of a pair keeps the grey of the pair's first row, not its own (228).
    EXPECT_EQ(canvas.At(840, row + 1), (Color{255, 230, 230}));
    EXPECT_EQ(canvas.At(839, row + 1), Grey(228));
}

TEST_F(RampEditTest, RampColumnWithoutRowsPaintsNothing) {
    DrawRampColumn(canvas, 10, 10, 30, 0, 255, 0);
    DrawRampColumn(canvas, 10, 10, 30, -3, 255, 0);
    EXPECT_EQ(PaintedBox(canvas), Box{});
}

TEST_F(RampEditTest, GreyStepsAreEightBandsOfHeightDivEight) {
    canvas.Clear(kPureRed);
    DrawGreySteps(canvas, 30, 40, 64, 10);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(AllOf(canvas, {30, 40 + i, 94, 41 + i}, Grey(255 - 32 * i))) << i;
    EXPECT_EQ(PaintedBox(canvas, kPureRed), (Box{30, 40, 94, 48}));
    EXPECT_EQ(canvas.At(30, 47), Grey(31));

    canvas.Clear(kPureRed);
    DrawGreySteps(canvas, 30, 40, 64, 7);
    DrawGreySteps(canvas, 30, 40, 64, -20);
    EXPECT_EQ(PaintedBox(canvas, kPureRed), Box{});
}

TEST_F(RampEditTest, LightStepsRiseToWhiteOnTheRight) {
    DrawLightSteps(canvas, 758, 660, 30, 12);
    EXPECT_EQ(PaintedBox(canvas), (Box{758, 660, 1162, 690}));
    for (int j = 0; j < 12; ++j) {
        const int left = 758 + 34 * j;
        EXPECT_TRUE(AllOf(canvas, {left, 660, left + 30, 690}, Grey(211 + 4 * j))) << j;
        if (j < 11) {
            EXPECT_TRUE(AllOf(canvas, {left + 30, 660, left + 34, 690}, kBlack)) << j;
        }
    }
}

TEST_F(RampEditTest, LevelSquaresAt96DotsPerInch) {
    DrawLevelSquares(canvas, 96, LevelSquares::kBlack);
    ASSERT_EQ(canvas.Texts().size(), 9u);
    for (int i = 0; i < 9; ++i) {
        const int left = 600 + 80 * i;
        EXPECT_TRUE(AllOf(canvas, {left, 510, left + 60, 570}, Grey(i + 1))) << i;
        if (i < 8) {
            EXPECT_TRUE(AllOf(canvas, {left + 60, 510, left + 80, 570}, kBlack)) << i;
        }
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ(canvas.Texts()[i], (TextRecord{left + 14, 490, "(" + n + "," + n + "," + n + ")",
                                                 Grey(80), kBlack}));
    }
    EXPECT_EQ(PaintedBox(canvas), (Box{600, 510, 1300, 570}));

    PixelCanvas white(1920, 1080, kWhite);
    DrawLevelSquares(white, 96, LevelSquares::kWhite);
    EXPECT_TRUE(AllOf(white, {600, 510, 660, 570}, Grey(246)));
    EXPECT_TRUE(AllOf(white, {1240, 510, 1300, 570}, Grey(254)));
    ASSERT_EQ(white.Texts().size(), 9u);
    EXPECT_EQ(white.Texts()[0], (TextRecord{602, 490, "(246,246,246)", Grey(180), kWhite}));
    // Every second three-digit label a row higher, clear of its neighbours.
    EXPECT_EQ(white.Texts()[1], (TextRecord{682, 476, "(247,247,247)", Grey(180), kWhite}));
    EXPECT_EQ(white.Texts()[8], (TextRecord{1242, 490, "(254,254,254)", Grey(180), kWhite}));
}

TEST_F(RampEditTest, LevelSquaresAt120DotsPerInchScaleWithHalvesAwayFromZero) {
    // scaled(720) = 900, scaled(60) = 75, scaled(80) = 100, scaled(14) = 17.5 -> 18,
    // scaled(20) = 25, scaled(2) = 2.5 -> 3.
    DrawLevelSquares(canvas, 120, LevelSquares::kBlack);
    const int x0 = 960 - 450, y0 = 540 - 37;
    for (int i = 0; i < 9; ++i) {
        const int left = x0 + 100 * i;
        EXPECT_TRUE(AllOf(canvas, {left, y0, left + 75, y0 + 75}, Grey(i + 1))) << i;
        EXPECT_EQ(canvas.Texts()[i].x, left + 18);
        EXPECT_EQ(canvas.Texts()[i].y, y0 - 25);
    }
    EXPECT_EQ(PaintedBox(canvas), (Box{x0, y0, x0 + 875, y0 + 75}));

    PixelCanvas white(1920, 1080, kWhite);
    DrawLevelSquares(white, 120, LevelSquares::kWhite);
    EXPECT_EQ(white.Texts()[0].x, x0 + 3);
}

class CurveGraphTest : public RampEditTest {
protected:
    static constexpr int x0 = 832, y0 = 4;  // CenterX(256) on 1920 columns
};

TEST_F(CurveGraphTest, LayoutOnAFullHdDisplay) {
    DrawCurveGraph(canvas, CenterX(256), 4, kBlack, false);
    EXPECT_EQ(PaintedBox(canvas), (Box{823, 4, 1088, 271}));

    // Frame, all four sides grey 128 (the curve crosses two corners).
    EXPECT_TRUE(AllOf(canvas, {832, 5, 833, 259}, Grey(128)));
    EXPECT_TRUE(AllOf(canvas, {1087, 5, 1088, 259}, Grey(128)));
    EXPECT_TRUE(AllOf(canvas, {832, 4, 1087, 5}, Grey(128)));
    EXPECT_TRUE(AllOf(canvas, {833, 259, 1088, 260}, Grey(128)));
    // Grid at 63, 127 and 191 from the left and from the top.
    for (int at : {63, 127, 191}) {
        EXPECT_EQ(canvas.At(x0 + at, y0 + 20), Grey(80)) << at;
        EXPECT_EQ(canvas.At(x0 + 20, y0 + at), Grey(80)) << at;
    }
    EXPECT_EQ(canvas.At(x0 + 20, y0 + 20), kBlack);
    // Lower scale rows 265-270, left scale columns 823-828, both grey i at level i.
    for (int i : {0, 1, 128, 255}) {
        EXPECT_TRUE(AllOf(canvas, {x0 + i, 265, x0 + i + 1, 271}, Grey(i))) << i;
        EXPECT_TRUE(AllOf(canvas, {823, y0 + 255 - i, 829, y0 + 256 - i}, Grey(i))) << i;
    }
    EXPECT_TRUE(AllOf(canvas, {832, 260, 1088, 265}, kBlack));  // no point marks
    EXPECT_TRUE(AllOf(canvas, {829, 4, 832, 260}, kBlack));
}

TEST_F(CurveGraphTest, IdentityRampPlotsTheDiagonalWithBlueOnTop) {
    DrawCurveGraph(canvas, x0, y0, kWhite, false);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(canvas.At(x0 + i, y0 + 255 - i), kPureBlue) << i;
    EXPECT_EQ(canvas.At(x0 + 256, y0), kBlack);  // the last step's end point

    // Where only red and green meet, green is drawn over red.
    for (int i = 0; i < 256; ++i)
        RampEntry(Engine().CurrentRamp, kBlue, i) = 0;
    canvas.Clear(kBlack);
    DrawCurveGraph(canvas, x0, y0, kWhite, false);
    EXPECT_EQ(canvas.At(x0 + 100, y0 + 155), kCurveGreen);
    EXPECT_EQ(canvas.At(x0 + 100, y0 + 255), kPureBlue);
}

TEST_F(CurveGraphTest, RampValuesMapToRowsByDivisionBy256) {
    Ramp& ramp = Engine().CurrentRamp;
    for (int i = 0; i < 256; ++i) {
        RampEntry(ramp, kRed, i) = 65535;
        RampEntry(ramp, kGreen, i) = 0;
        RampEntry(ramp, kBlue, i) = 511;  // 1 row above the bottom
    }
    DrawCurveGraph(canvas, x0, y0, kWhite, false);
    EXPECT_TRUE(AllOf(canvas, {x0, y0, x0 + 256, y0 + 1}, kPureRed));
    EXPECT_TRUE(AllOf(canvas, {x0, y0 + 255, x0 + 256, y0 + 256}, kCurveGreen));
    EXPECT_TRUE(AllOf(canvas, {x0, y0 + 254, x0 + 256, y0 + 255}, kPureBlue));
    EXPECT_EQ(canvas.At(x0 + 256, y0), kBlack);
}

TEST_F(CurveGraphTest, PointMarksOnlyWherePointsAreOn) {
    Engine().Corrections[0].PointOn[0] = 1;
    Engine().Corrections[0].PointOn[200] = 1;
    DrawCurveGraph(canvas, x0, y0, kBlack, false);
    for (int x = x0; x < x0 + 256; ++x) {
        const Color expected = (x == x0 || x == x0 + 200) ? kWhite : kBlack;
        EXPECT_EQ(canvas.At(x, y0 + 257), expected) << x;
        EXPECT_EQ(canvas.At(x, y0 + 258), expected) << x;
        EXPECT_EQ(canvas.At(x, y0 + 259), kBlack) << x;
    }

    // The marks are those of the selected display's record.
    AddDisplay({1920, 0, 3840, 1080});
    Engine().Corrections[1].PointOn[60] = 1;
    Engine().CurrentDisplay = 1;
    canvas.Clear(kBlack);
    DrawCurveGraph(canvas, x0, y0, kBlack, false);
    EXPECT_EQ(canvas.At(x0 + 200, y0 + 257), kBlack);
    EXPECT_EQ(canvas.At(x0 + 60, y0 + 257), kWhite);
}

TEST_F(CurveGraphTest, MarkerAtPointPos) {
    Patterns().PointPos = 0;
    DrawCurveGraph(canvas, x0, y0, kBlack, true);
    EXPECT_TRUE(AllOf(canvas, {x0, y0 + 1, x0 + 1, y0 + 255}, Grey(140)));
    EXPECT_EQ(canvas.At(x0, y0), Grey(128));
    EXPECT_EQ(canvas.At(x0, y0 + 255), kPureBlue);

    Patterns().PointPos = 127;
    DrawCurveGraph(canvas, x0, y0, kBlack, true);
    EXPECT_TRUE(AllOf(canvas, {x0 + 127, y0 + 1, x0 + 128, y0 + 128}, Grey(140)));
    EXPECT_EQ(canvas.At(x0 + 127, y0 + 128), kPureBlue);  // the curves come after the marker
    EXPECT_TRUE(AllOf(canvas, {x0 + 127, y0 + 129, x0 + 128, y0 + 255}, Grey(140)));
    EXPECT_EQ(canvas.At(x0 + 127, y0 + 255), Grey(128));
}

TEST_F(RampEditTest, GammaFieldIsACheckerboardOfDithers) {
    // Level 100 pairs with (0, 137) at a target gamma of 2.2.
    DrawGammaField(canvas, 720, 430, 100);
    EXPECT_EQ(PaintedBox(canvas), (Box{720, 430, 1200, 652}));
    EXPECT_EQ(canvas.At(720, 430), Grey(100));
    EXPECT_EQ(canvas.At(1199, 651), Grey(100));
    // j = 0, r = 0: vertical lines, 62 x 60 from (770, 440).
    EXPECT_TRUE(AllOf(canvas, {770, 440, 771, 500}, Grey(0)));
    EXPECT_TRUE(AllOf(canvas, {771, 440, 772, 500}, Grey(137)));
    EXPECT_TRUE(AllOf(canvas, {831, 440, 832, 500}, Grey(137)));
    EXPECT_EQ(canvas.At(832, 440), Grey(100));
    EXPECT_EQ(canvas.At(770, 500), Grey(100));
    // j = 1, r = 0: horizontal lines, 60 x 62 from (850, 440).
    EXPECT_TRUE(AllOf(canvas, {850, 440, 910, 441}, Grey(0)));
    EXPECT_TRUE(AllOf(canvas, {850, 501, 910, 502}, Grey(137)));
    EXPECT_EQ(canvas.At(850, 502), Grey(100));
    EXPECT_EQ(canvas.At(910, 440), Grey(100));
    // j = 0, r = 1 is horizontal; j = 4, r = 2 (the far corner) is vertical.
    EXPECT_TRUE(AllOf(canvas, {770, 510, 830, 511}, Grey(0)));
    EXPECT_TRUE(AllOf(canvas, {770, 511, 830, 512}, Grey(137)));
    EXPECT_TRUE(AllOf(canvas, {1090, 580, 1091, 640}, Grey(0)));
    EXPECT_TRUE(AllOf(canvas, {1151, 580, 1152, 640}, Grey(137)));
}

TEST_F(RampEditTest, PointFieldPatchesAndCentreColumn) {
    Patterns().PointPos = 20;
    DrawPointField(canvas, 720, 430, 100);
    EXPECT_EQ(PaintedBox(canvas), (Box{720, 430, 1200, 652}));
    // Channel patches on the left, grey patches on the right, all horizontal lines.
    EXPECT_TRUE(AllOf(canvas, {770, 440, 830, 441}, (Color{0, 100, 100})));
    EXPECT_TRUE(AllOf(canvas, {770, 441, 830, 442}, (Color{137, 100, 100})));
    EXPECT_TRUE(AllOf(canvas, {770, 510, 830, 511}, (Color{100, 0, 100})));
    EXPECT_TRUE(AllOf(canvas, {770, 581, 830, 582}, (Color{100, 100, 137})));
    EXPECT_TRUE(AllOf(canvas, {1090, 580, 1150, 581}, Grey(0)));
    EXPECT_TRUE(AllOf(canvas, {1090, 641, 1150, 642}, Grey(137)));
    EXPECT_EQ(canvas.At(1150, 580), Grey(100));
    // The centre column at (CenterX(150), CenterY(220)) = (885, 430), 150 wide: 60 down to 0.
    EXPECT_EQ(canvas.At(885, 430), Grey(60));
    EXPECT_EQ(canvas.At(885, 650), Grey(0));
    EXPECT_EQ(canvas.At(885, 651), Grey(0));
    EXPECT_EQ(canvas.At(1034, 430), Grey(60));
    EXPECT_EQ(canvas.At(1035, 430), Grey(100));
    EXPECT_EQ(canvas.At(884, 430), Grey(100));

    Patterns().PointPos = 240;
    DrawPointField(canvas, 720, 430, 100);
    EXPECT_EQ(canvas.At(885, 430), Grey(255));
    EXPECT_EQ(canvas.At(885, 650), Grey(200));
    EXPECT_EQ(canvas.At(885, 651), Grey(200));
}

class DisplayGeometryTest : public ::testing::Test {
protected:
    void SetUp() override { UseSingleDisplay(1920, 1080); }
};

TEST_F(DisplayGeometryTest, SideBandOfASingleDisplayIsTheDisplay) {
    EXPECT_EQ(SideBandRect(), (ScreenRect{0, 0, 1920, 1080}));
    EXPECT_EQ(DesktopRect(), (ScreenRect{0, 0, 1920, 1080}));
}

TEST_F(DisplayGeometryTest, SideBandKeepsTheRowsEverySideNeighbourCovers) {
    AddDisplay({1920, 0, 3840, 540});  // half height, to the right, aligned at the top
    EXPECT_EQ(SideBandRect(), (ScreenRect{0, 0, 1920, 540}));

    AddDisplay({-1280, 100, 0, 1024});  // to the left, starting lower
    EXPECT_EQ(SideBandRect(), (ScreenRect{0, 100, 1920, 540}));

    AddDisplay({500, -900, 2100, 0});  // above, overlapping horizontally: ignored
    EXPECT_EQ(SideBandRect(), (ScreenRect{0, 100, 1920, 540}));
    EXPECT_EQ(DesktopRect(), (ScreenRect{-1280, -900, 3840, 1080}));

    Engine().CurrentDisplay = 1;  // seen from the right, both other displays lie to the left
    EXPECT_EQ(SideBandRect(), (ScreenRect{1920, 100, 3840, 540}));
}

TEST_F(DisplayGeometryTest, SideBandMayEndAboveItsTop) {
    AddDisplay({1920, 0, 3840, 300});
    AddDisplay({-1920, 700, 0, 1080});
    EXPECT_EQ(SideBandRect(), (ScreenRect{0, 700, 1920, 300}));
}

TEST_F(DisplayGeometryTest, NoDisplayGivesEmptyRectangles) {
    Engine() = DisplayState{};
    EXPECT_EQ(SideBandRect(), ScreenRect{});
    EXPECT_EQ(DesktopRect(), ScreenRect{});
}

}  // namespace

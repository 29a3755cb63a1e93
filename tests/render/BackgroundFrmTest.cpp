// The backdrop's placement over the virtual screen and its two kinds of paint.

#include <gtest/gtest.h>

#include <map>

#include "PixelChecks.h"
#include "render/BackgroundFrm.h"

namespace {

class FakeMetrics : public SystemMetrics {
public:
    std::map<VirtualScreenMetric, int> values;
    int VirtualScreen(VirtualScreenMetric metric) override { return values[metric]; }
};

// A 1920 x 1080 primary display with a 1280 x 1024 one to its left.
void UseTwoDisplaysSideBySide(FakeMetrics& metrics) {
    UseSingleDisplay(1920, 1080);
    AddDisplay(ScreenRect{-1280, 0, 0, 1024});
    metrics.values = {{VirtualScreenMetric::kLeft, -1280},
                      {VirtualScreenMetric::kTop, 0},
                      {VirtualScreenMetric::kWidth, 3200},
                      {VirtualScreenMetric::kHeight, 1080}};
}

TEST(BackgroundFrmTest, CoversTheVirtualScreenAndShowsOnlyWithSeveralDisplays) {
    FakeMetrics metrics;
    UseTwoDisplaysSideBySide(metrics);
    TBackgroundForm two;
    two.FormCreate(metrics);
    EXPECT_TRUE(two.Visible());
    EXPECT_EQ(two.Left(), -1280);
    EXPECT_EQ(two.Top(), 0);
    EXPECT_EQ(two.Width(), 3200);
    EXPECT_EQ(two.Height(), 1080);

    UseSingleDisplay(1920, 1080);
    TBackgroundForm one;
    one.FormCreate(metrics);
    EXPECT_FALSE(one.Visible());

    Engine() = DisplayState{};
    TBackgroundForm none;
    none.FormCreate(metrics);
    EXPECT_FALSE(none.Visible());
}

TEST(BackgroundFrmTest, ColorBalancePageHasEightBandsAcrossAllDisplays) {
    FakeMetrics metrics;
    UseTwoDisplaysSideBySide(metrics);
    PixelCanvas canvas(3200, 1080, kWhite);
    TBackgroundForm::FormPaint(canvas, {.page = 5,
                                        .panelHeight = 53,
                                        .originX = -1280,
                                        .originY = 0,
                                        .clientWidth = 3200,
                                        .clientHeight = 1080});
    // (1080 - 53) div 8 = 128 rows each, the last ending at row 1023.
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(AllOf(canvas, {0, 128 * i, 3200, 128 * i + 128}, Grey(255 - 32 * i))) << i;
    EXPECT_TRUE(AllOf(canvas, {0, 1024, 3200, 1080}, kBlack));
}

TEST(BackgroundFrmTest, BandsStartAtTheDesktopsTopLeftInWindowCoordinates) {
    UseSingleDisplay(1920, 1080);
    AddDisplay(ScreenRect{320, -1024, 1600, 0});  // above the primary display
    PixelCanvas canvas(1920, 2104, kWhite);
    TBackgroundForm::FormPaint(canvas, {.page = 5,
                                        .panelHeight = 40,
                                        .originX = 0,
                                        .originY = -1024,
                                        .clientWidth = 1920,
                                        .clientHeight = 2104});
    // (2104 - 40) div 8 = 258 rows each, down to row 2063.
    EXPECT_TRUE(AllOf(canvas, {0, 0, 1920, 258}, Grey(255)));
    EXPECT_TRUE(AllOf(canvas, {0, 7 * 258, 1920, 8 * 258}, Grey(31)));
    EXPECT_TRUE(AllOf(canvas, {0, 2064, 1920, 2104}, kBlack));
}

TEST(BackgroundFrmTest, EveryOtherPageIsPlainBlack) {
    FakeMetrics metrics;
    UseTwoDisplaysSideBySide(metrics);
    for (int page : {0, 1, 2, 3, 4, 6, 7, 8}) {
        PixelCanvas canvas(3200, 1080, kWhite);  // whatever was there before
        TBackgroundForm::FormPaint(canvas, {.page = page,
                                            .panelHeight = 53,
                                            .originX = -1280,
                                            .clientWidth = 3200,
                                            .clientHeight = 1080});
        EXPECT_EQ(PaintedBox(canvas), Box{}) << "page " << page;
    }
}

}  // namespace

// The engine over the Win32 display calls, on the test X server Wine draws to (Xvfb: one
// 1920x1080 monitor whose gamma ramp cannot be read or written).

#include <gtest/gtest.h>

#include "ramp/Displays.h"
#include "win32/Win32Displays.h"

namespace {

class Win32DisplaysTest : public ::testing::Test {
protected:
    void SetUp() override {
        Engine() = DisplayState{};
        UseDisplayPort(port);
    }
    void TearDown() override {
        ReleaseDisplays();
        Engine() = DisplayState{};
    }
    Win32DisplayPort port;
};

TEST_F(Win32DisplaysTest, TheMonitorIsListedWithItsNameRectangleAndDC) {
    EnumDisplays();
    ASSERT_EQ(Engine().DisplayCount, 1);
    const TDisplay& display = Engine().Displays[0];
    EXPECT_EQ(display.name, "Display 1 (Generic Non-PnP Monitor)");
    EXPECT_EQ(display.info.monitor, (ScreenRect{0, 0, 1920, 1080}));
    EXPECT_EQ(display.info.size, 72u);
    EXPECT_EQ(display.device.size, 168u);
    EXPECT_EQ(DisplayDeviceName(0), "\\\\.\\DISPLAY1");
    EXPECT_NE(display.dc, 0u);
    SelectDisplay(0);
    EXPECT_EQ(CenterX(480), 720);
    EXPECT_EQ(CenterY(61), 510);
}

TEST_F(Win32DisplaysTest, RampCallsReportTheirOutcomeAndRestoreSkipsFailedCaptures) {
    EnumDisplays();
    ASSERT_EQ(Engine().DisplayCount, 1);
    Ramp ramp{};
    const bool readable = ReadDisplayRamp(0, ramp);
    SaveDisplayRamps();
    EXPECT_EQ(Engine().SavedRampRead[0], readable);
    if (readable) {
        // A server with gamma support: what was read can be written back.
        EXPECT_TRUE(WriteDisplayRamp(0, ramp));
    } else {
        EXPECT_EQ(ramp, Ramp{});
        Ramp linear;
        LinearRamp(linear);
        EXPECT_FALSE(WriteDisplayRamp(0, linear));
    }
    RestoreDisplayRamps();
    ReleaseDisplays();
    EXPECT_EQ(Engine().DisplayCount, 0);
    EXPECT_FALSE(ReadDisplayRamp(0, ramp));
}

}  // namespace

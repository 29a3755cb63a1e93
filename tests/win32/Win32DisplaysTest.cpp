// The engine over the Win32 display calls, on the test X server Wine draws to (Xvfb: one
// 1920x1080 monitor whose gamma ramp cannot be read or written).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ramp/Displays.h"
#include "win32/Win32Displays.h"

// Last: its GetMonitorInfo macro would rename the interface method declared above.
#include <windows.h>

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
    ASSERT_EQ(Engine().DisplayCount(), 1);
    const TDisplay& display = Engine().Displays[0];
    EXPECT_EQ(display.name, "Display 1 (Generic Non-PnP Monitor)");
    EXPECT_EQ(display.info.monitor, (ScreenRect{0, 0, 1920, 1080}));
    EXPECT_EQ(display.info.size, 72u);
    EXPECT_EQ(display.device.size, 168u);
    EXPECT_EQ(DisplayDeviceName(0), "\\\\.\\DISPLAY1");
    EXPECT_NE(display.dc, 0u);
    EXPECT_TRUE(UpdateDisplayInfo(0));  // found again by its device name
    EXPECT_EQ(display.info.monitor, (ScreenRect{0, 0, 1920, 1080}));
    SelectDisplay(0);
    EXPECT_EQ(CenterX(480), 720);
    EXPECT_EQ(CenterY(61), 510);
    // Wine answers no advanced-colour query: the display counts as one without HDR.
    EXPECT_FALSE(display.advancedColor);
}

// The EDID is read where Windows keeps it, under the monitor's device key named by its device
// ID; Wine keeps none for the test server's monitor, so the test puts one there for the time.
TEST_F(Win32DisplaysTest, TheMonitorsDeviceIdLeadsToTheEdidTheSystemKeeps) {
    EnumDisplays();
    const std::string id = MonitorDeviceId(0);
    EXPECT_TRUE(id.starts_with("\\\\?\\DISPLAY#Default_Monitor#0000&0000#{")) << id;
    EXPECT_EQ(MonitorEdid(0), "");
    const char* key =
        "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\Default_Monitor\\0000&0000\\Device Parameters";
    std::string edid(256, '\0');
    for (int i = 0; i < 256; ++i)
        edid[i] = static_cast<char>(i * 7);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, "EDID", REG_BINARY, edid.data(), 256),
              ERROR_SUCCESS);
    EXPECT_EQ(MonitorEdid(0), edid);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key, "EDID");
    EXPECT_EQ(MonitorDeviceId(1), "");  // no such display
}

TEST_F(Win32DisplaysTest, RampCallsReportTheirOutcomeAndRestoreSkipsFailedCaptures) {
    EnumDisplays();
    ASSERT_EQ(Engine().DisplayCount(), 1);
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
    const HDC dc = reinterpret_cast<HDC>(Engine().Displays[0].dc);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
    ReleaseDisplays();
    EXPECT_EQ(Engine().DisplayCount(), 0);
    EXPECT_FALSE(ReadDisplayRamp(0, ramp));
    EXPECT_EQ(GetObjectType(dc), 0u);  // freed, not merely released
}

}  // namespace

// Run by tests/e2e/displays_xorg.sh under an Xorg dummy server with two monitors side by
// side (TONECAST_XORG_TWO_MONITORS=1); skipped on the ordinary test server.
class Win32TwoMonitorsTest : public Win32DisplaysTest {
protected:
    void SetUp() override {
        const char* flag = std::getenv("TONECAST_XORG_TWO_MONITORS");
        if (!flag || std::string(flag) != "1")
            GTEST_SKIP() << "needs the two-monitor Xorg server";
        Win32DisplaysTest::SetUp();
    }
    static Ramp Read(int index) {
        Ramp ramp{};
        EXPECT_TRUE(ReadDisplayRamp(index, ramp)) << "display " << index;
        return ramp;
    }
    // What the server keeps of a 16-bit entry, as Wine reads it back.
    static Ramp AsStored(const Ramp& written) {
        Ramp stored;
        for (int i = 0; i < kRampSize; ++i)
            stored[i] = static_cast<std::uint16_t>((written[i] >> 8) * 257);
        return stored;
    }
};

TEST_F(Win32TwoMonitorsTest, BothMonitorsAreListedInPlatformOrder) {
    EnumDisplays();
    ASSERT_EQ(Engine().DisplayCount(), 2);
    EXPECT_EQ(Engine().Displays[0].name, "Display 1 (Generic Non-PnP Monitor)");
    EXPECT_EQ(Engine().Displays[1].name, "Display 2 (Generic Non-PnP Monitor)");
    EXPECT_EQ(Engine().Displays[0].info.monitor, (ScreenRect{0, 0, 1920, 1080}));
    EXPECT_EQ(Engine().Displays[1].info.monitor, (ScreenRect{-1280, 0, 0, 1024}));
    EXPECT_EQ(DisplayDeviceName(1), "\\\\.\\DISPLAY2");
    SelectDisplay(1);
    EXPECT_EQ(CenterX(480), 400);
    EXPECT_EQ(CenterY(61), 482);
}

TEST_F(Win32TwoMonitorsTest, CorrectionAndRestoreReachTheServersRamp) {
    EnumDisplays();
    ASSERT_EQ(Engine().DisplayCount(), 2);
    Ramp linear;
    LinearRamp(linear);
    ASSERT_TRUE(WriteDisplayRamp(0, linear));
    SaveDisplayRamps();
    ASSERT_EQ(Engine().SavedRampRead, (std::vector<bool>{true, true}));
    EXPECT_EQ(Engine().SavedRamps[0], AsStored(linear));

    Engine().Corrections[0].Gamma = 30;
    ASSERT_TRUE(ApplyCorrection(0));
    EXPECT_EQ(Read(0), AsStored(Engine().CurrentRamp));
    EXPECT_NE(Read(0), AsStored(linear));

    RestoreDisplayRamps();
    EXPECT_EQ(Read(0), AsStored(linear));
    EXPECT_EQ(Read(1), AsStored(linear));  // one table per X screen under Wine
}

// The display list and hardware ramp access, over in-memory monitors.

#include <gtest/gtest.h>

#include "fakes/FakeDisplayPort.h"
#include "ramp/Displays.h"

namespace {

using Kind = FakeDisplayPort::CallKind;

Ramp Filled(std::uint16_t value) {
    Ramp ramp;
    ramp.fill(value);
    return ramp;
}

Ramp Linear() {
    Ramp ramp;
    LinearRamp(ramp);
    return ramp;
}

class DisplaysTest : public ::testing::Test {
protected:
    void SetUp() override {
        Engine() = DisplayState{};
        UseDisplayPort(port);
    }
    void TearDown() override { Engine() = DisplayState{}; }

    // Two monitors side by side, enumerated.
    void TwoDisplays() {
        port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
        port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024});
        EnumDisplays();
        port.calls.clear();
    }

    FakeDisplayPort port;
};

TEST_F(DisplaysTest, EnumerationListsEveryMonitorInOrderWithItsNameAndRectangle) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, "Generic Non-PnP Monitor");
    port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}, " \t Wide Panel 27\"\r\n ");
    EnumDisplays();

    const DisplayState& e = Engine();
    ASSERT_EQ(e.DisplayCount(), 2);
    ASSERT_EQ(e.Displays.size(), 2u);
    EXPECT_EQ(e.Displays[0].name, "Display 1 (Generic Non-PnP Monitor)");
    EXPECT_EQ(e.Displays[1].name, "Display 2 (Wide Panel 27\")");
    EXPECT_EQ(e.Displays[1].info.monitor, (ScreenRect{-1280, 0, 0, 1024}));
    EXPECT_EQ(DisplayDeviceName(1), "\\\\.\\DISPLAY2");
    EXPECT_EQ(port.monitorInfoSizes, (std::vector<std::uint32_t>{72, 72}));
    EXPECT_EQ(port.monitorDeviceSizes, (std::vector<std::uint32_t>{168, 168}));
    EXPECT_EQ(port.CallsOf(Kind::CreateDisplayDC)[1].argument, "\\\\.\\DISPLAY2");
    ASSERT_EQ(e.Corrections.size(), 2u);
    EXPECT_EQ(e.Corrections[1], TCorrection{});
    EXPECT_EQ(port.CountOf(Kind::ShowLastError), 0);
}

TEST_F(DisplaysTest, MonitorWithoutDeviceContextIsDroppedAndTheRestNumberedOn) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, "First");
    port.AddMonitor("\\\\.\\DISPLAY2", {1920, 0, 3200, 1024}, "Second").noDC = true;
    port.AddMonitor("\\\\.\\DISPLAY3", {3200, 0, 4800, 900}, "Third");
    EnumDisplays();

    const DisplayState& e = Engine();
    ASSERT_EQ(e.DisplayCount(), 2);
    EXPECT_EQ(e.Displays[0].name, "Display 1 (First)");
    EXPECT_EQ(e.Displays[1].name, "Display 2 (Third)");
    EXPECT_EQ(e.Displays[1].info.monitor, (ScreenRect{3200, 0, 4800, 900}));
    ASSERT_EQ(e.Corrections.size(), 2u);
    EXPECT_EQ(e.Corrections[0], TCorrection{});
    EXPECT_EQ(e.Corrections[1], TCorrection{});
}

TEST_F(DisplaysTest, BlankOrMissingDescriptionGivesEmptyParentheses) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 800, 600}, "   ");
    port.AddMonitor("\\\\.\\DISPLAY2", {800, 0, 1600, 600}, "");
    // A description that fills all 128 characters has no terminating zero.
    port.AddMonitor("\\\\.\\DISPLAY3", {1600, 0, 2400, 600}, std::string(140, 'x'));
    EnumDisplays();
    EXPECT_EQ(Engine().Displays[0].name, "Display 1 ()");
    EXPECT_EQ(Engine().Displays[1].name, "Display 2 ()");
    EXPECT_EQ(Engine().Displays[2].name, "Display 3 (" + std::string(128, 'x') + ")");
}

TEST_F(DisplaysTest, FailedMonitorQueryShowsOneErrorBoxAndEnumerationGoesOn) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}).failMonitorInfo = true;
    port.AddMonitor("\\\\.\\DISPLAY2", {1920, 0, 3840, 1080});
    EnumDisplays();

    ASSERT_EQ(port.CountOf(Kind::ShowLastError), 1);
    EXPECT_EQ(port.calls[2].kind, Kind::ShowLastError);  // right after the failed query
    // Without its device name the first monitor gets no DC; the second is display 1.
    ASSERT_EQ(Engine().DisplayCount(), 1);
    EXPECT_EQ(Engine().Displays[0].name, "Display 1 (Generic Non-PnP Monitor)");
}

TEST_F(DisplaysTest, AnErrorBoxLetsNoEnumerationInAndTheBackgroundShowsNone) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}).deviceId = "A";
    port.AddMonitor("\\\\.\\DISPLAY2", {0, 0, 1920, 1080}).failMonitorInfo = true;
    FakeMonitor& third = port.AddMonitor("\\\\.\\DISPLAY3", {1920, 0, 3840, 1080});
    third.advancedColor = true;
    third.deviceId.clear();
    // A display change handled while the box is up.
    port.duringErrorBox = [] { EnumDisplays(); };
    EnumDisplays();
    EXPECT_EQ(port.CountOf(Kind::EnumMonitors), 1);
    ASSERT_EQ(Engine().DisplayCount(), 2);
    EXPECT_EQ(MonitorDeviceId(0), "A");
    EXPECT_FALSE(Engine().Displays[0].advancedColor);
    EXPECT_EQ(MonitorDeviceId(1), "");
    EXPECT_TRUE(Engine().Displays[1].advancedColor);

    port.calls.clear();
    EnumDisplays(ErrorBoxes::Suppress);
    EXPECT_EQ(port.CountOf(Kind::ShowLastError), 0);
    EXPECT_EQ(Engine().DisplayCount(), 2);
}

TEST_F(DisplaysTest, NoMonitorLeavesTheListsEmpty) {
    EnumDisplays();
    EXPECT_EQ(Engine().DisplayCount(), 0);
    EXPECT_TRUE(Engine().Displays.empty());
    EXPECT_TRUE(Engine().Corrections.empty());
}

TEST_F(DisplaysTest, EnumeratingAgainStartsCountingFromOne) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
    EnumDisplays();
    EnumDisplays();
    EXPECT_EQ(Engine().DisplayCount(), 1);
    EXPECT_EQ(Engine().Displays[0].name, "Display 1 (Generic Non-PnP Monitor)");
    EXPECT_EQ(port.OpenDCs(), 1);  // the first enumeration's DC was freed
}

TEST_F(DisplaysTest, ReleaseFreesEveryDCAndLaterCallsTouchNoDisplay) {
    TwoDisplays();
    SaveDisplayRamps();
    ReleaseDisplays();

    EXPECT_EQ(port.CountOf(Kind::ReleaseDisplayDC), 2);
    EXPECT_EQ(port.OpenDCs(), 0);
    EXPECT_EQ(Engine().DisplayCount(), 0);
    EXPECT_TRUE(Engine().Displays.empty());
    EXPECT_TRUE(Engine().Corrections.empty());
    EXPECT_TRUE(Engine().SavedRamps.empty());
    port.calls.clear();
    Ramp ramp{};
    EXPECT_FALSE(ReadDisplayRamp(0, ramp));
    EXPECT_FALSE(WriteDisplayRamp(0, ramp));
    EXPECT_TRUE(port.calls.empty());
}

TEST_F(DisplaysTest, IndexOutsideTheListIsRefusedWithoutAPlatformCall) {
    TwoDisplays();
    Ramp ramp = Filled(7);
    for (int index : {2, 3, -1}) {
        EXPECT_FALSE(ReadDisplayRamp(index, ramp)) << index;
        EXPECT_FALSE(WriteDisplayRamp(index, ramp)) << index;
        EXPECT_FALSE(SetDisplayLinear(index)) << index;
        EXPECT_FALSE(ApplyCorrection(index)) << index;
        SelectDisplay(index);
    }
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(ramp, Filled(7));
    EXPECT_EQ(Engine().CurrentDisplay, 0);
    EXPECT_EQ(Engine().CurrentRamp, Ramp{});
}

TEST_F(DisplaysTest, ReadAndWriteGoThroughTheDisplaysOwnDC) {
    TwoDisplays();
    port.monitors[1].ramp = Filled(1234);
    Ramp ramp{};
    EXPECT_TRUE(ReadDisplayRamp(1, ramp));
    EXPECT_EQ(ramp, Filled(1234));

    EXPECT_TRUE(WriteDisplayRamp(0, Filled(99)));
    EXPECT_EQ(port.monitors[0].ramp, Filled(99));
    EXPECT_EQ(port.monitors[1].ramp, Filled(1234));

    port.monitors[0].failRead = true;
    port.monitors[0].failWrite = true;
    EXPECT_FALSE(ReadDisplayRamp(0, ramp));
    EXPECT_EQ(ramp, Filled(1234));  // a failed read leaves the caller's ramp alone
    EXPECT_FALSE(WriteDisplayRamp(0, Filled(5)));
}

TEST_F(DisplaysTest, SetDisplayLinearWritesIdentityAndKeepsCurrentRamp) {
    TwoDisplays();
    Engine().Corrections[1].Gamma = 40;
    SelectDisplay(1);
    ASSERT_TRUE(ApplyCorrection(1));
    const Ramp corrected = Engine().CurrentRamp;
    ASSERT_NE(corrected, Linear());

    EXPECT_TRUE(SetDisplayLinear(1));
    EXPECT_EQ(port.monitors[1].ramp, Linear());
    EXPECT_EQ(RampEntry(port.monitors[1].ramp, kGreen, 255), 65280);
    EXPECT_EQ(Engine().CurrentRamp, corrected);
}

TEST_F(DisplaysTest, SelectReadsTheHardwareRampAndApplyReplacesIt) {
    TwoDisplays();
    port.monitors[1].ramp = Filled(4242);
    SelectDisplay(1);
    EXPECT_EQ(Engine().CurrentDisplay, 1);
    EXPECT_EQ(Engine().CurrentRamp, Filled(4242));

    EXPECT_TRUE(ApplyCorrection(1));
    Ramp cleared{};
    for (int i = 0; i < kRampSize; ++i)
        cleared[i] = static_cast<std::uint16_t>(i % 256 * 257);
    EXPECT_EQ(Engine().CurrentRamp, cleared);
    EXPECT_EQ(port.monitors[1].ramp, cleared);

    port.monitors[0].failWrite = true;
    EXPECT_FALSE(ApplyCorrection(0));

    port.monitors[1].failRead = true;
    SelectDisplay(1);
    EXPECT_EQ(Engine().CurrentRamp, cleared);  // a failed read keeps what was there
}

TEST_F(DisplaysTest, CaptureAndRestorePutBackWhatEachDisplayHad) {
    TwoDisplays();
    RestoreDisplayRamps();  // nothing captured yet: nothing to put back
    EXPECT_TRUE(port.calls.empty());
    port.monitors[0].ramp = Filled(100);
    port.monitors[1].ramp = Filled(200);
    SaveDisplayRamps();
    ASSERT_EQ(Engine().SavedRamps.size(), 2u);
    EXPECT_EQ(Engine().SavedRamps[1], Filled(200));

    WriteDisplayRamp(0, Filled(1));
    WriteDisplayRamp(1, Filled(2));
    port.calls.clear();
    RestoreDisplayRamps();
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 1}));
    EXPECT_EQ(port.monitors[0].ramp, Filled(100));
    EXPECT_EQ(port.monitors[1].ramp, Filled(200));
}

TEST_F(DisplaysTest, RestoreSkipsADisplayWhoseCaptureFailed) {
    TwoDisplays();
    port.monitors[0].failRead = true;
    port.monitors[1].ramp = Filled(200);
    SaveDisplayRamps();
    EXPECT_EQ(Engine().SavedRamps[0], Ramp{});

    port.monitors[0].failRead = false;
    port.monitors[0].ramp = Filled(300);
    port.calls.clear();
    RestoreDisplayRamps();
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{1}));
    EXPECT_EQ(port.monitors[0].ramp, Filled(300));  // not blacked out
}

TEST_F(DisplaysTest, CenteringHalvesSizesSeparatelyTowardZero) {
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
    port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024});
    port.AddMonitor("\\\\.\\DISPLAY3", {0, 0, 1367, 769});
    EnumDisplays();
    SelectDisplay(0);
    EXPECT_EQ(CenterX(480), 720);
    EXPECT_EQ(CenterY(61), 510);
    SelectDisplay(1);  // rectangle left of the origin: only its size counts
    EXPECT_EQ(CenterX(480), 400);
    EXPECT_EQ(CenterY(1025), 0);
    SelectDisplay(2);
    EXPECT_EQ(CenterX(3), 682);      // 683 - 1
    EXPECT_EQ(CenterY(-3), 385);     // 384 - (-1)
    EXPECT_EQ(CenterX(2000), -317);  // 683 - 1000
}

TEST_F(DisplaysTest, CenteringWithNoDisplayDoesNotTouchTheList) {
    EnumDisplays();
    EXPECT_EQ(CenterX(480), -240);
    EXPECT_EQ(CenterY(61), -30);
}

}  // namespace

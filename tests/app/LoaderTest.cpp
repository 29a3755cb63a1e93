// The resident loader over in-memory monitors: what it writes after the log-on fade, on the
// periodic check and on events, and what it leaves alone.

#include <gtest/gtest.h>

#include "app/Language.h"
#include "app/Loader.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "fakes/FakeEngine.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "ramp/SessionJournal.h"

namespace {

using Kind = FakeDisplayPort::CallKind;

TCorrection WithGamma(int gamma) {
    TCorrection c;
    c.Gamma = gamma;
    return c;
}

class LoaderTest : public FakeEngineTest {
protected:
    void SetUp() override {
        FakeEngineTest::SetUp();
        // A portable loader: its folder holds the settings and the language files.
        shell.executablePath = std::string(kFolder) + "Tonestart.exe";
        UseShell(shell);
        UseProfileStore(profile);
        Settings() = SettingsValues{};
        ResetLanguageTable();
        port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
        port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024});
        EnumDisplays();
    }
    void TearDown() override {
        ResetLanguageTable();
        FakeEngineTest::TearDown();
    }
    // Forgets the calls so far.
    void Mark() { port.calls.clear(); }

    FakeShell shell;
    FakeProfile profile{&files};

    bool calibrationOpen = false;
    Loader loader{kFolder, [this] { return calibrationOpen; }};
};

TEST_F(LoaderTest, WithoutRampFilesItFadesNothingAndEnds) {
    EXPECT_FALSE(loader.Start());
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);
}

TEST_F(LoaderTest, CheckReadsEachKeptDisplayOnceAndPutsBackOnlyAChangedRamp) {
    SaveFile(0, WithGamma(20));
    ASSERT_TRUE(loader.Start());
    // As "/load": the display without a file faded to the identity, but it is not kept.
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
    EXPECT_EQ(port.monitors[1].ramp, Linear());

    Mark();
    loader.Check();
    EXPECT_EQ(port.CountOf(Kind::GetGammaRamp), 1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    // Another program's ramps; one that differs only below the high byte counts as kept.
    port.monitors[1].ramp = Built(WithGamma(-30));
    Ramp lowBits = Built(WithGamma(20));
    lowBits[100] ^= 0x7F;
    port.monitors[0].ramp = lowBits;
    Mark();
    loader.Check();
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    port.monitors[0].ramp = Built(WithGamma(-30));
    Mark();
    loader.Check();
    EXPECT_EQ(port.WriteOrder(), std::vector<int>{0});
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
    EXPECT_EQ(port.monitors[1].ramp, Built(WithGamma(-30)));
    EXPECT_EQ(loader.TrayTip(), "Tonecast");
}

TEST_F(LoaderTest, ARefusedDisplayWaitsForTheNextEventAndShowsInTheTip) {
    SaveFile(0, WithGamma(20));
    SaveFile(1, WithGamma(10));
    ASSERT_TRUE(loader.Start());
    // Real Windows past its limit: the write reports success and nothing changes.
    port.monitors[1].ignoreWrites = true;
    port.monitors[1].ramp = Linear();
    Mark();
    loader.Check();
    loader.Check();
    EXPECT_EQ(port.WriteOrder(), std::vector<int>{1});
    EXPECT_EQ(loader.TrayTip(), "Tonecast\nTrayRefused: Display 2 (Generic Non-PnP Monitor)");
    // Told once as a notification, not again by the checks that leave the display alone.
    EXPECT_EQ(loader.TakeNotice(), "TrayRefused: Display 2 (Generic Non-PnP Monitor)");
    loader.Check();
    EXPECT_EQ(loader.TakeNotice(), "");

    Mark();
    loader.OnReapply();
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 1}));
    EXPECT_EQ(loader.TakeNotice(), "TrayRefused: Display 2 (Generic Non-PnP Monitor)");
    port.monitors[1].ignoreWrites = false;
    loader.OnReapply();
    EXPECT_EQ(port.monitors[1].ramp, Built(WithGamma(10)));
    EXPECT_EQ(loader.TrayTip(), "Tonecast");
    EXPECT_EQ(loader.TakeNotice(), "");
}

// The calibration window saves the language chosen in it when it closes; the loader's tip,
// notices and menu speak it from then on.
TEST_F(LoaderTest, AfterTheCalibrationWindowClosesItSpeaksTheLanguageChosenThere) {
    files.AddFile(std::string(kFolder) + "English.lng",
                  "TrayRefused=Correction not taken by display\r\nTrayExit=Exit\r\n");
    files.AddFile(std::string(kFolder) + "Deutsch.lng",
                  "TrayRefused=Abgelehnt\r\nTrayExit=Beenden\r\nDisplayWord=Bildschirm\r\n");
    LoadSettingsAndLanguage();  // as the loader starts
    SaveFile(0, WithGamma(20));
    SaveFile(1, WithGamma(10));
    ASSERT_TRUE(loader.Start());
    EXPECT_EQ(LangText("TrayExit"), "Exit");

    calibrationOpen = true;
    loader.Check();
    // What the window's process writes when it ends.
    profile.WriteString(SettingsFilePath(), "Settings", "Language", "Deutsch");
    calibrationOpen = false;
    port.monitors[1].ignoreWrites = true;
    port.monitors[1].ramp = Linear();
    loader.Check();
    EXPECT_EQ(LangText("TrayExit"), "Beenden");
    EXPECT_EQ(loader.TakeNotice(), "Abgelehnt: Bildschirm 2 (Generic Non-PnP Monitor)");
}

TEST_F(LoaderTest, DisplayChangeEnumeratesAgainAndWritesEveryKeptRamp) {
    SaveFile(0, WithGamma(20));
    ASSERT_TRUE(loader.Start());
    port.monitors[1].detached = true;
    port.AddMonitor("\\\\.\\DISPLAY3", {1920, 0, 3840, 1080});
    SaveFile(1, WithGamma(10));
    Mark();
    loader.OnDisplayChange();
    EXPECT_EQ(port.CountOf(Kind::EnumMonitors), 1);
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 2}));
    EXPECT_EQ(port.monitors[2].ramp, Built(WithGamma(10)));
}

TEST_F(LoaderTest, WhileCalibratingNothingIsTouchedAndAfterwardsTheNewFilesAreKept) {
    SaveFile(0, WithGamma(20));
    ASSERT_TRUE(loader.Start());
    calibrationOpen = true;
    port.monitors[0].ramp = Built(WithGamma(35));
    Mark();
    loader.Check();
    loader.OnReapply();
    loader.OnDisplayChange();
    EXPECT_TRUE(port.calls.empty());

    // OK saved new corrections for both displays and left them on the displays.
    SaveFile(0, WithGamma(35));
    SaveFile(1, WithGamma(-10));
    port.monitors[1].ramp = Built(WithGamma(-10));
    calibrationOpen = false;
    Mark();
    loader.Check();
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);
    port.monitors[0].ramp = Linear();
    port.monitors[1].ramp = Linear();
    loader.Check();
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(35)));
    EXPECT_EQ(port.monitors[1].ramp, Built(WithGamma(-10)));
}

// A calibration window ended by force leaves its session file. Started meanwhile, the loader
// fades nothing; once the window has gone it puts back what that window had found on the
// display without a ramp file, keeps the other display's file, and the session file goes.
TEST_F(LoaderTest, AfterAWindowEndedByForceItsFoundRampsComeBack) {
    SaveFile(0, WithGamma(20));
    calibrationOpen = true;
    ASSERT_TRUE(loader.Start());
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    const std::string session = std::string(kFolder) + kSessionFileName;
    const Ramp found = Built(WithGamma(-30));
    files.AddFile(session,
                  FormatSessionFile({{"\\\\.\\DISPLAY1", Linear()}, {"\\\\.\\DISPLAY2", found}}));
    port.monitors[0].ramp = port.monitors[1].ramp = Built(WithGamma(60));  // left on by force
    loader.Check();
    EXPECT_TRUE(files.FileExists(session));
    calibrationOpen = false;
    loader.Check();
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
    EXPECT_EQ(port.monitors[1].ramp, found);
    EXPECT_FALSE(files.FileExists(session));
}

}  // namespace

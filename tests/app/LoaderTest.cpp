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

// Device IDs as Wine gives them on the dummy server.
const std::string kIdA = "\\\\?\\DISPLAY#Default_Monitor#0000&0000#{e6f07b5f}";
const std::string kIdB = "\\\\?\\DISPLAY#Default_Monitor#0001&0000#{e6f07b5f}";

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
        port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}).deviceId = kIdA;
        port.AddMonitor("\\\\.\\DISPLAY2", {-1280, 0, 0, 1024}).deviceId = kIdB;
        EnumDisplays();
    }
    void TearDown() override {
        ResetLanguageTable();
        FakeEngineTest::TearDown();
    }
    // Forgets the calls so far.
    void Mark() { port.calls.clear(); }
    // The periodic check, `count` times at its interval.
    void Checks(int count) {
        for (int i = 0; i < count; ++i) {
            now += kLoaderCheckIntervalMs;
            loader.Check();
        }
    }

    FakeShell shell;
    FakeProfile profile{&files};

    bool calibrationOpen = false, fullScreen = false;
    std::int64_t now = 0;
    Loader loader{kFolder,
                  {[this] { return calibrationOpen; }, [this] { return fullScreen; },
                   [this] { return now; }}};
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
    Checks(1);
    EXPECT_EQ(port.CountOf(Kind::GetGammaRamp), 1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    // Another program's ramps; one that differs only below the high byte counts as kept.
    port.monitors[1].ramp = Built(WithGamma(-30));
    Ramp lowBits = Built(WithGamma(20));
    lowBits[100] ^= 0x7F;
    port.monitors[0].ramp = lowBits;
    Mark();
    Checks(1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    port.monitors[0].ramp = Built(WithGamma(-30));
    Mark();
    Checks(1);
    EXPECT_EQ(port.WriteOrder(), std::vector<int>{0});
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
    EXPECT_EQ(port.monitors[1].ramp, Built(WithGamma(-30)));
    EXPECT_EQ(loader.TrayTip(), "Tonecast");
}

TEST_F(LoaderTest, ARefusedDisplayIsTriedAgainWithGrowingDelaysAndOnEveryEvent) {
    SaveFile(0, WithGamma(20));
    SaveFile(1, WithGamma(10));
    ASSERT_TRUE(loader.Start());
    // Real Windows past its limit: the write reports success and nothing changes.
    port.monitors[1].ignoreWrites = true;
    port.monitors[1].ramp = Linear();
    std::vector<std::int64_t> writes;
    for (int check = 0; check < 70; ++check) {
        Mark();
        Checks(1);
        if (!port.calls.empty() && port.WriteOrder() == std::vector<int>{1})
            writes.push_back(now / 1000);
    }
    EXPECT_EQ(writes, (std::vector<std::int64_t>{2, 4, 8, 16, 32, 64, 124}));
    EXPECT_EQ(loader.TrayTip(), "Tonecast\nTrayRefused: Display 2 (Generic Non-PnP Monitor)");
    // Told once as a notification, not again by the checks that leave the display alone.
    EXPECT_EQ(loader.TakeNotice(), "TrayRefused: Display 2 (Generic Non-PnP Monitor)");
    loader.Check();
    EXPECT_EQ(loader.TakeNotice(), "");

    Mark();
    loader.OnReapply();
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(loader.TakeNotice(), "TrayRefused: Display 2 (Generic Non-PnP Monitor)");
    port.monitors[1].ignoreWrites = false;
    Checks(1);  // the event started the delays anew
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

TEST_F(LoaderTest, EventsWriteOneEntryOffFirstAndFilesFollowTheirMonitors) {
    SaveFile(0, WithGamma(20), kIdA);
    SaveFile(1, WithGamma(10), kIdB);
    ASSERT_TRUE(loader.Start());
    Mark();
    loader.OnReapply();
    const std::vector<FakeDisplayPort::Call> writes = port.CallsOf(Kind::SetGammaRamp);
    ASSERT_EQ(port.WriteOrder(), (std::vector<int>{0, 0, 1, 1}));
    int differing = 0;
    for (int i = 0; i < kRampSize; ++i)
        differing += writes[0].ramp[i] != writes[1].ramp[i];
    EXPECT_EQ(differing, 1);
    EXPECT_EQ(writes[1].ramp, Built(WithGamma(20)));

    // Undocked: the first monitor goes, the second becomes display 1 and keeps its own file;
    // a new monitor gets none, and the absent monitor's file is neither read nor written.
    const std::string fileOfA = files.Contents(RampFileName(kFolder, 0));
    port.monitors[0].detached = true;
    port.AddMonitor("\\\\.\\DISPLAY3", {1920, 0, 3840, 1080}).deviceId = "C";
    Mark();
    loader.OnDisplayChange();
    EXPECT_EQ(port.CountOf(Kind::EnumMonitors), 1);
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{1, 1}));
    EXPECT_EQ(port.monitors[1].ramp, Built(WithGamma(10)));
    EXPECT_EQ(files.Contents(RampFileName(kFolder, 0)), fileOfA);
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(LoaderTest, AShortSessionIsKeptWhetherTheWindowToldOrNot) {
    SaveFile(0, WithGamma(20));
    ASSERT_TRUE(loader.Start());
    calibrationOpen = true;
    port.monitors[0].ramp = Built(WithGamma(35));
    Mark();
    Checks(1);
    loader.OnReapply();
    loader.OnDisplayChange();
    EXPECT_TRUE(port.calls.empty());
    // OK saved new corrections for both displays and left them on the displays.
    SaveFile(0, WithGamma(35), kIdA);
    SaveFile(1, WithGamma(-10), kIdB);
    port.monitors[1].ramp = Built(WithGamma(-10));
    calibrationOpen = false;
    Mark();
    Checks(1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    // Opened and closed between two checks, unseen by them: the changed file tells.
    SaveFile(0, WithGamma(-5), kIdA);
    port.monitors[0].ramp = Built(WithGamma(-5));
    Checks(1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);

    // The window's own messages: nothing is written while it is open, the new file at once.
    loader.OnCalibrationOpened();
    port.monitors[0].ramp = Linear();
    Checks(1);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);
    SaveFile(0, WithGamma(7), kIdA);
    loader.OnCalibrationClosed();
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(7)));

    // A window that said it opens and ended without a word (a crash): once it is no longer
    // to be expected, the correction comes back.
    loader.OnCalibrationOpened();
    port.monitors[0].ramp = Linear();
    Checks(kCalibrationStartMs / kLoaderCheckIntervalMs - 1);
    EXPECT_EQ(port.monitors[0].ramp, Linear());
    Checks(1);
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(7)));
}

TEST_F(LoaderTest, AnotherWriterIsLeftTheDisplayForLongerEachTimeUntilReapplyNow) {
    SaveFile(0, WithGamma(20));
    ASSERT_TRUE(loader.Start());
    const Ramp theirs = Built(WithGamma(-30));
    auto fightFor = [&](int checks) {
        int ours = 0;
        for (int i = 0; i < checks; ++i) {
            port.monitors[0].ramp = theirs;
            Mark();
            Checks(1);
            ours += port.CountOf(Kind::SetGammaRamp);
        }
        return ours;
    };
    EXPECT_EQ(fightFor(4), kOverwritesBeforePause);
    EXPECT_EQ(loader.TakeNotice(), "TrayPaused Display 1");
    EXPECT_EQ(loader.PausedNotes(), std::vector<std::string>{"TrayPaused Display 1"});
    EXPECT_EQ(loader.TrayTip(), "Tonecast\nTrayPaused Display 1");
    // Left alone for 30 s; then one try, put back at once: left for 60 s.
    EXPECT_EQ(fightFor(kFirstPauseMs / kLoaderCheckIntervalMs), 1);
    EXPECT_EQ(fightFor(2 * kFirstPauseMs / kLoaderCheckIntervalMs), 0);
    EXPECT_EQ(loader.TakeNotice(), "");  // told once, not at every pause
    EXPECT_EQ(fightFor(1), 1);

    Mark();
    loader.ReapplyNow();
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0, 0}));
    EXPECT_TRUE(loader.PausedNotes().empty());
    // The other program gave up: the correction stays and nothing more is written.
    EXPECT_EQ(fightFor(1), 1);
    Mark();
    Checks(10);
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
}

TEST_F(LoaderTest, FullScreenRestsItAndAnHdrDisplayIsNeverWritten) {
    port.monitors[1].advancedColor = true;
    EnumDisplays();
    SaveFile(0, WithGamma(20));
    SaveFile(1, WithGamma(10));
    const Ramp hdrRamp = port.monitors[1].ramp;
    ASSERT_TRUE(loader.Start());
    EXPECT_EQ(port.WriteOrder(), std::vector<int>(port.CountOf(Kind::SetGammaRamp), 0));
    EXPECT_EQ(port.monitors[1].ramp, hdrRamp);
    EXPECT_EQ(loader.TrayTip(), "Tonecast\nTrayHdr: Display 2 (Generic Non-PnP Monitor)");

    fullScreen = true;
    port.monitors[0].ramp = Linear();
    Mark();
    Checks(3);
    loader.OnDisplayChange();
    EXPECT_EQ(port.CountOf(Kind::SetGammaRamp), 0);
    EXPECT_EQ(port.CountOf(Kind::GetGammaRamp), 0);
    fullScreen = false;
    Checks(1);
    EXPECT_EQ(port.WriteOrder(), std::vector<int>{0});
    EXPECT_EQ(port.monitors[0].ramp, Built(WithGamma(20)));
    EXPECT_EQ(port.monitors[1].ramp, hdrRamp);
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

    // A window that said it opens, found by nobody afterwards, then ended by force: its file is
    // taken up once its word has run out, not before.
    loader.OnCalibrationOpened();
    const Ramp foundLater = Built(WithGamma(-15));
    files.AddFile(session, FormatSessionFile({{"\\\\.\\DISPLAY2", foundLater}}));
    Checks(kCalibrationStartMs / kLoaderCheckIntervalMs - 1);
    EXPECT_EQ(port.monitors[1].ramp, found);
    Checks(1);
    EXPECT_EQ(port.monitors[1].ramp, foundLater);
    EXPECT_FALSE(files.FileExists(session));
}

}  // namespace

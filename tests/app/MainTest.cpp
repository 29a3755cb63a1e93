// Command-line splitting, the dispatch of StartApplication and the uninstall query, over
// in-memory monitors, files and shell.

#include "AppFixture.h"
#include "app/Main.h"
#include "fakes/FakeColorProfiles.h"
#include "fakes/FakeDisplayPort.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ramp/SessionJournal.h"

namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateAndQuotesGroupAndVanish) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\V\\Tonecast.exe\" /load"),
              (Args{"C:\\Program Files\\V\\Tonecast.exe", "/load"}));
    EXPECT_EQ(SplitCommandLine("  T.exe\t/a   b\t\t"), (Args{"T.exe", "/a", "b"}));
    EXPECT_EQ(SplitCommandLine("T.exe \"/lo\"ad \"a b\"c"), (Args{"T.exe", "/load", "a bc"}));
    EXPECT_EQ(SplitCommandLine("T.exe \"\" x"), (Args{"T.exe", "", "x"}));
    EXPECT_EQ(SplitCommandLine("T.exe \"open to the end"), (Args{"T.exe", "open to the end"}));
    EXPECT_EQ(SplitCommandLine(""), Args{});

    EXPECT_EQ(FirstArgument("T.exe"), "");
    EXPECT_EQ(FirstArgument("T.exe   "), "");
    EXPECT_EQ(FirstArgument("T.exe \"/load\""), "/load");
    EXPECT_EQ(FirstArgument("\"C:\\a b\\T.exe\" /load /uninstall"), "/load");
    EXPECT_EQ(FirstArgument("T.exe x /load"), "x");
}

class MainTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Engine() = DisplayState{};
        monitor = &port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
        UseDisplayPort(port);
        UseColorProfileStore(colorProfiles);
        EnumDisplays();
    }
    void TearDown() override {
        Engine() = DisplayState{};
        AppFixture::TearDown();
    }

    // A ramp file for display 1 in `folder` whose gamma adjustment is `gamma`; returns the ramp
    // it stands for.
    Ramp SaveRampFile(const std::string& folder, int gamma) {
        files.AddFolder(folder);
        TCorrection c;
        c.Gamma = gamma;
        EXPECT_TRUE(WriteRampFile(c, 0, RampFileName(folder, 0)));
        Ramp ramp{};
        BuildRamp(c, ramp);
        return ramp;
    }

    void ExpectNothingWritten() {
        EXPECT_TRUE(profile.writes.empty());
        EXPECT_TRUE(profile.flushes.empty());
        EXPECT_FALSE(files.FileExists(kSettingsFile));
        EXPECT_TRUE(files.createdFolders.empty());
    }

    FakeDisplayPort port;
    FakeColorProfiles colorProfiles;
    FakeMonitor* monitor = nullptr;
};

TEST_F(MainTest, LoadAppliesTheDataFolderRampsAndEndsWithoutWriting) {
    const Ramp fromData = SaveRampFile(kDataFolder, 40);
    SaveRampFile(kProgramFolder, -40);  // installed: the program folder's file is not read
    files.writes.clear();

    int exitCode = -1;
    EXPECT_FALSE(StartApplication("/load", &exitCode));
    EXPECT_EQ(monitor->ramp, fromData);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(shell.openedUrls.empty());
    ExpectNothingWritten();

    // A display that does not take its ramp is told by the exit code only.
    monitor->ignoreWrites = true;
    SaveRampFile(kDataFolder, 60);
    EXPECT_FALSE(StartApplication("/load", &exitCode));
    EXPECT_EQ(exitCode, kExitDisplayRefused);
    EXPECT_TRUE(shell.openedUrls.empty());
}

TEST_F(MainTest, FirstRunWithASwitchCreatesNeitherDataFolderNorSettings) {
    EXPECT_FALSE(StartApplication("/load"));
    EXPECT_FALSE(files.FolderExists(kDataFolder));
    ExpectNothingWritten();

    for (const char* argument : {"/uninstall", "/removeprofiles"}) {
        EXPECT_FALSE(StartApplication(argument));
        EXPECT_FALSE(files.FolderExists(kDataFolder));
        ExpectNothingWritten();
    }
}

TEST_F(MainTest, UninstallOpensThePageAndTouchesNothing) {
    const Ramp before = monitor->ramp;
    SaveRampFile(kDataFolder, 40);
    files.AddFile(std::string(kProgramFolder) + "Uninstall.exe", "MZ", clock.now - 12.25);
    files.writes.clear();

    EXPECT_FALSE(StartApplication("/uninstall"));
    EXPECT_EQ(shell.openedUrls,
              std::vector<std::string>{"https://www.velmor.example/tonecast/uninstall"
                                       "?prd=tnc&v=3.1.0&d=12"});
    EXPECT_EQ(monitor->ramp, before);
    EXPECT_TRUE(files.FileExists(RampFileName(kDataFolder, 0)));
    EXPECT_TRUE(shell.linkCalls.empty());
    ExpectNothingWritten();
}

TEST_F(MainTest, UninstallSwitchesReadNoSettingsOrLanguageFile) {
    // The uninstaller runs them as administrator; both files are the users' to write.
    SeedSettings({{"Language", "Deutsch"}});
    files.AddFile(std::string(kProgramFolder) + "Deutsch.lng", "LOk=Okay\r\n");
    files.AddFile(std::string(kProgramFolder) + "English.lng", "LOk=OK\r\n");
    for (const char* argument : {"/uninstall", "/removeprofiles"}) {
        EXPECT_FALSE(StartApplication(argument));
        EXPECT_EQ(Settings().LanguageName, "English");
        EXPECT_EQ(LanguageTableSize(), 0u);
    }
    EXPECT_EQ(shell.openedUrls.size(), 1u);
}

// The uninstaller runs "/removeprofiles", also when silent: the profiles OK installed go,
// with their associations, and no page opens.
TEST_F(MainTest, RemoveProfilesTakesBackOnlyTheProfilesTonecastInstalled) {
    for (const char* name :
         {"Tonecast1.icm", "tonecast12.ICM", "Tonecast.icm", "TonecastX.icm", "Monitor.icm"})
        colorProfiles.installed[name] = "acsp";
    colorProfiles.defaults[monitor->deviceId] = "Tonecast1.icm";
    EXPECT_FALSE(StartApplication("/removeprofiles"));
    EXPECT_EQ(colorProfiles.InstalledProfiles(),
              (std::vector<std::string>{"Monitor.icm", "Tonecast.icm", "TonecastX.icm"}));
    EXPECT_EQ(colorProfiles.defaults[monitor->deviceId], colorProfiles.before);
    EXPECT_TRUE(shell.openedUrls.empty());
}

TEST_F(MainTest, AnythingElseIsTheInteractiveRun) {
    const Ramp before = monitor->ramp;
    SaveRampFile(kDataFolder, 40);
    for (const char* argument :
         {"", "/LOAD", "/Load", "/Uninstall", "/RemoveProfiles", "load", "/load ", "x"}) {
        EXPECT_TRUE(StartApplication(argument)) << argument;
    }
    EXPECT_EQ(monitor->ramp, before);
    EXPECT_TRUE(shell.openedUrls.empty());
}

TEST_F(MainTest, StartLoadsSettingsThenEnglishThenTheChosenLanguage) {
    SeedSettings({{"Language", "Deutsch"}, {"Gamma", "1.8"}});
    files.AddFile(std::string(kProgramFolder) + "English.lng", "LOk=OK\r\nLCancel=Cancel\r\n");
    files.AddFile(std::string(kProgramFolder) + "Deutsch.lng", "LCancel=Abbrechen\r\n");
    EXPECT_TRUE(StartApplication(""));
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    EXPECT_EQ(Patterns().TargetGamma, 1.8);
    EXPECT_EQ(LangText("LOk"), "OK");
    EXPECT_EQ(LangText("LCancel"), "Abbrechen");
}

TEST_F(MainTest, LanguageWithoutAFileShowsEnglish) {
    SeedSettings({{"Language", "Klingon"}});
    files.AddFile(std::string(kProgramFolder) + "English.lng", "LOk=OK\r\n");
    EXPECT_TRUE(StartApplication(""));
    EXPECT_EQ(LangText("LOk"), "OK");
}

TEST_F(MainTest, InteractiveRunSavesTheSettingsAtTheEnd) {
    EXPECT_TRUE(StartApplication(""));
    Patterns().TargetGamma = 2.5;
    FinishApplication();
    EXPECT_EQ(files.Contents(kSettingsFile),
              "[Settings]\r\nLanguage=English\r\nReferenceImage=\r\nGamma=2.5\r\n");
}

TEST_F(MainTest, UninstallQueryCountsWholeDaysSinceInstallation) {
    const std::string uninstaller = std::string(kProgramFolder) + "Uninstall.exe";
    EXPECT_EQ(BuildUninstallQuery(), "?prd=tnc&v=3.1.0&d=0");  // no Uninstall.exe

    files.AddFile(uninstaller, "MZ", clock.now - 12.999);
    EXPECT_EQ(BuildUninstallQuery(), "?prd=tnc&v=3.1.0&d=12");
    files.AddFile(uninstaller, "MZ", clock.now - 0.5);
    EXPECT_EQ(BuildUninstallQuery(), "?prd=tnc&v=3.1.0&d=0");
    files.AddFile(uninstaller, "MZ", clock.now + 1.5);  // a clock set back since
    EXPECT_EQ(BuildUninstallQuery(), "?prd=tnc&v=3.1.0&d=-1");
    files.AddFile(uninstaller, "MZ", -1e300);
    EXPECT_EQ(BuildUninstallQuery(), "?prd=tnc&v=3.1.0&d=0");
}

// Every start puts back what a calibration window ended by force had found on a display
// without a ramp file, unless a window is open ("/load" then leaves the displays to it).
TEST_F(MainTest, AStartPutsBackWhatAWindowEndedByForceFoundUnlessOneIsOpen) {
    const std::string session = std::string(kDataFolder) + kSessionFileName;
    Ramp found{};
    for (int i = 0; i < kRampSize; ++i)
        found[i] = static_cast<std::uint16_t>((i % 256) * 250);
    files.AddFile(session, FormatSessionFile({{"\\\\.\\DISPLAY1", found}}));
    monitor->ramp[0] = 4000;  // the window's correction, left on

    shell.calibrationOpen = true;
    int exitCode = -1;
    EXPECT_FALSE(StartApplication("/load", &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(monitor->ramp[0], 4000);
    EXPECT_TRUE(files.FileExists(session));

    shell.calibrationOpen = false;
    EXPECT_FALSE(StartApplication("/load"));  // the fade keeps it: the display has no file
    EXPECT_EQ(monitor->ramp, found);
    EXPECT_FALSE(files.FileExists(session));
}

}  // namespace

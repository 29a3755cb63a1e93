// Creating the window, switching displays, Off LUT, and leaving with OK or Cancel.
#include "WindowFixture.h"
#include "ramp/ProfileFile.h"
#include "ramp/SessionJournal.h"

namespace {

using Kind = FakeDisplayPort::CallKind;

TEST_F(WindowTest, CreationCoversDisplayZeroAndAppliesOnlyItsStoredCorrection) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3200, 1024});
    TCorrection first, second;
    first.Gamma = 12;
    second.White = -7;
    StoreRampFile(0, first);
    StoreRampFile(1, second);
    ASSERT_TRUE(Open());

    EXPECT_EQ(Record(0), first);
    EXPECT_EQ(Record(1), second);
    // The hardware of display 0 gets its correction; display 1 keeps its ramp.
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0}));
    EXPECT_EQ(port.monitors[0].ramp, RampOf(first));
    EXPECT_EQ(E(form->GammaEdit()).GetText(), "12");
    EXPECT_EQ(E(form->PointPosEdit()).GetText(), "127");

    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1920, 1080}));
    EXPECT_TRUE(host.visible);
    EXPECT_TRUE(host.topmost);
    EXPECT_EQ(host.caption, "Velmor Tonecast 3.1.0");
    EXPECT_EQ(host.calls.back(), "BringToTop");
    EXPECT_TRUE(form->HandlersEnabled);
    EXPECT_TRUE(form->RestoreOnClose);
    EXPECT_TRUE(form->LutOn);
    EXPECT_EQ(CurrentPage(), 0);

    FakeComboBox& displays = AsFake(*form->DisplayComboBox);
    EXPECT_TRUE(displays.IsEnabled());
    EXPECT_EQ(displays.items, (std::vector<std::string>{"Display 1 (Generic Non-PnP Monitor)",
                                                        "Display 2 (Generic Non-PnP Monitor)"}));
    EXPECT_EQ(displays.index, 0);
    EXPECT_EQ(displays.GetBounds().width, 960 - 71);  // ends at the middle of the bar
}

TEST_F(WindowTest, WithOneDisplayTheSelectorIsDisabled) {
    OpenOneFullHdDisplay();
    EXPECT_FALSE(form->DisplayComboBox->IsEnabled());
    EXPECT_EQ(AsFake(*form->DisplayComboBox).items.size(), 1u);
}

TEST_F(WindowTest, AMalformedRampFileLeavesThatDisplayClearedAndCreationGoesOn) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    TCorrection good;
    good.Black = 4;
    StoreRampFile(1, good);
    files.AddFile(RampFileName(kDataFolder, 0), "RampCurve v.1\r\nDISPLAY1\r\n12x\r\n");
    ASSERT_TRUE(Open());

    EXPECT_EQ(Record(0), TCorrection{});
    EXPECT_EQ(Record(1), good);  // the displays after the damaged one are still read
    EXPECT_TRUE(form->HandlersEnabled);
    EXPECT_TRUE(host.visible);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(AsFake(*form->DisplayComboBox).items.size(), 2u);
}

// A file that is there but cannot be read is the user's calibration out of reach: the window
// says so, naming it, once it shows; OK then replaces it.
TEST_F(WindowTest, AnUnreadableRampFileIsToldAndThatDisplayStartsCleared) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    TCorrection saved;
    saved.Black = 4;
    StoreRampFile(0, saved);
    StoreRampFile(1, saved);
    files.FailReadOf(RampFileName(kDataFolder, 1));
    files.AddFile(kProgramFolder + "English.lng",
                  "ERampUnreadable=Cannot read:\r\nERampCleared=Starts cleared.\r\n");
    LoadLanguage("English");
    ASSERT_TRUE(Open());

    EXPECT_EQ(Record(0), saved);
    EXPECT_EQ(Record(1), TCorrection{});
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{
                  "Cannot read:\r\n\r\nDisplay 2 (Generic Non-PnP Monitor)\r\n" +
                  RampFileName(kDataFolder, 1) + "\r\nFile access denied\r\n\r\nStarts cleared."}));
    ASSERT_GE(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[host.calls.size() - 2], "BringToTop");  // over the window shown
    EXPECT_TRUE(form->HandlersEnabled);
}

TEST_F(WindowTest, WithNoDisplayCreationSaysSoAndTouchesNothing) {
    EXPECT_FALSE(Open());
    EXPECT_EQ(host.errors, (std::vector<std::string>{kNoDisplayMessage}));
    EXPECT_TRUE(port.calls.empty() ||
                port.CountOf(Kind::SetGammaRamp) + port.CountOf(Kind::GetGammaRamp) == 0);
    EXPECT_EQ(host.Count("Show"), 0);
    EXPECT_EQ(host.Count("SetWindowBounds 0,0,0,0"), 0);
}

TEST_F(WindowTest, SwitchingDisplaysKeepsThePageAndEachDisplaysValues) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({-1280, 0, 0, 1024});
    ASSERT_TRUE(Open());
    form->ShowPage(1);
    E(form->BlackEdit()).Type("9");

    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_EQ(Engine().CurrentDisplay, 1);
    EXPECT_EQ(CurrentPage(), 1);
    EXPECT_EQ(host.bounds, (Bounds{-1280, 0, 1280, 1024}));
    EXPECT_EQ(E(form->BlackEdit()).GetText(), "0");
    EXPECT_EQ(port.WriteOrder().back(), 1);
    EXPECT_EQ(port.monitors[1].ramp, RampOf(Record(1)));
    EXPECT_EQ(form->BlackPanel().GetBounds().left, 640 - 60);  // centred on the new display

    AsFake(*form->DisplayComboBox).Choose(0);
    EXPECT_EQ(E(form->BlackEdit()).GetText(), "9");
    EXPECT_EQ(Record(0).Black, 9);
    EXPECT_EQ(Record(1).Black, 0);
}

TEST_F(WindowTest, ASwitchAppliesOnceAndHidesTheWindowMeanwhile) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    ASSERT_TRUE(Open());
    Record(1).Gamma = 5;
    Record(1).PointOn[127] = 1;
    host.ClearLog();
    const int writes = RampWrites();
    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_EQ(RampWrites() - writes, 1);  // the refreshed edits do not apply again
    EXPECT_EQ(host.calls.front(), "Hide");
    EXPECT_EQ(host.calls[1], "SetWindowBounds 1920,0,1920,1080");
    EXPECT_EQ(host.calls.back(), "Show");
    EXPECT_TRUE(form->HandlersEnabled);
}

TEST_F(WindowTest, AnIndexBeyondTheDisplaysIsIgnored) {
    OpenOneFullHdDisplay();
    host.ClearLog();
    form->MoveToDisplay(1);
    form->MoveToDisplay(-1);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(Engine().CurrentDisplay, 0);
}

TEST_F(WindowTest, OffLutThenSwitchLeavesTheFirstDisplayLinear) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    const Ramp captured0 = port.monitors[0].ramp;
    const Ramp captured1 = port.monitors[1].ramp;
    ASSERT_TRUE(Open());
    E(form->GammaEdit()).Type("30");
    Record(1).White = -10;

    B(form->OffButton).Click();
    Ramp linear;
    LinearRamp(linear);
    EXPECT_EQ(port.monitors[0].ramp, linear);
    EXPECT_EQ(Record(0).Gamma, 30);  // the record is not touched
    B(form->OffButton).Click();      // and back on
    EXPECT_EQ(port.monitors[0].ramp, RampOf(Record(0)));
    EXPECT_EQ(form->OffButton->GetText(), "BOffLUT");
    B(form->OffButton).Click();

    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_EQ(port.monitors[0].ramp, linear);
    EXPECT_EQ(port.monitors[1].ramp, RampOf(Record(1)));
    EXPECT_TRUE(form->LutOn);
    EXPECT_EQ(form->OffButton->GetText(), "BOffLUT");

    B(form->CancelButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(port.monitors[0].ramp, captured0);
    EXPECT_EQ(port.monitors[1].ramp, captured1);
}

// The system's display change (new mode on display 1, display 2 resized) resets the ramps.
TEST_F(WindowTest, ADisplayChangeCoversTheNewRectangleAndWritesEveryCorrectionAgain) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({-1280, 0, 0, 1024});
    TCorrection first, second;
    first.Gamma = 12;
    second.White = -7;
    StoreRampFile(0, first);
    StoreRampFile(1, second);
    ASSERT_TRUE(Open());
    const std::vector<Ramp> captured = Engine().SavedRamps;
    form->ShowPage(3);
    B(form->OffButton).Click();  // display 1 shown without its correction
    port.monitors[0].rect = {0, 0, 1280, 1024};
    port.monitors[1].rect = {-1024, 0, 0, 768};
    for (FakeMonitor& m : port.monitors)
        m.ramp.fill(0);
    port.calls.clear();

    form->HandleDisplayChange();
    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1280, 1024}));
    EXPECT_EQ(form->GammaPanel().GetBounds(), (Bounds{640 - 60, 1024 - 53 - 142 - 20, 121, 142}));
    EXPECT_EQ(form->DisplayComboBox->GetBounds().width, 640 - 71);
    EXPECT_EQ(Engine().Displays[1].info.monitor, (ScreenRect{-1024, 0, 0, 768}));
    // The selected display last, as "Off LUT" left it; the graph keeps its correction.
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{1, 0}));
    Ramp linear;
    LinearRamp(linear);
    EXPECT_EQ(port.monitors[0].ramp, linear);
    EXPECT_EQ(port.monitors[1].ramp, RampOf(second));
    EXPECT_FALSE(form->LutOn);
    EXPECT_EQ(form->OffButton->GetText(), "BOnLUT");
    EXPECT_EQ(Engine().CurrentRamp, RampOf(first));
    EXPECT_EQ(Engine().SavedRamps, captured);
    EXPECT_TRUE(host.errors.empty());

    // A move the form did not make counts as a change; its own rectangle does not.
    port.calls.clear();
    form->FormMoved({0, 0, 1280, 1024});
    EXPECT_EQ(RampWrites(), 0);
    form->FormMoved({0, 0, 1920, 1080});
    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1280, 1024}));
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{1, 0}));
}

TEST_F(WindowTest, WhenTheSelectedDisplayIsGoneTheWindowMovesToTheFirstLeft) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3200, 1024});
    const Ramp captured0 = port.monitors[0].ramp;
    ASSERT_TRUE(Open());
    E(form->GammaEdit()).Type("30");
    AsFake(*form->DisplayComboBox).Choose(1);
    B(form->OffButton).Click();
    port.monitors[1].detached = true;
    port.monitors[0].ramp.fill(0);
    port.calls.clear();

    form->HandleDisplayChange();
    EXPECT_EQ(Engine().CurrentDisplay, 0);
    EXPECT_EQ(AsFake(*form->DisplayComboBox).index, 0);
    EXPECT_EQ(AsFake(*form->DisplayComboBox).items.size(), 2u);  // the list keeps its entries
    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1920, 1080}));
    EXPECT_EQ(port.WriteOrder(), (std::vector<int>{0}));
    EXPECT_EQ(port.monitors[0].ramp, RampOf(Record(0)));
    EXPECT_TRUE(form->LutOn);  // as after a switch

    // Choosing the display that is gone keeps the window where it can be seen.
    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_EQ(Engine().CurrentDisplay, 0);
    EXPECT_EQ(AsFake(*form->DisplayComboBox).index, 0);
    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1920, 1080}));

    B(form->CancelButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(port.monitors[0].ramp, captured0);
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(WindowTest, CancelRestoresEveryDisplayAndWritesNoFile) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    AddDisplay({3840, 0, 5760, 1080});
    std::vector<Ramp> captured;
    for (const FakeMonitor& m : port.monitors)
        captured.push_back(m.ramp);
    ASSERT_TRUE(Open());
    E(form->GammaEdit()).Type("40");
    AsFake(*form->DisplayComboBox).Choose(1);
    E(form->BlackREdit()).SetText("-8");
    ASSERT_NE(port.monitors[0].ramp, captured[0]);
    port.monitors[2].ramp[5] = 1;  // display 3 changed by somebody else meanwhile

    host.Close();  // the system's close key: the same as Cancel
    EXPECT_TRUE(host.closed);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(port.monitors[i].ramp, captured[i]) << "display " << i;
    EXPECT_TRUE(files.writes.empty());
    EXPECT_TRUE(shell.linkCalls.empty());
}

TEST_F(WindowTest, OkWritesOneFilePerDisplayAndTheShortcutOnce) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    AddDisplay({3840, 0, 5760, 1080});
    TCorrection third;
    third.BalanceR = 6;
    StoreRampFile(2, third);
    const std::string thirdFile = files.Contents(RampFileName(kDataFolder, 2));
    // The log-on shortcut of earlier versions: the installer's entry starts the loader now.
    files.AddFile(kStartupFolder + "\\Tonestart.lnk", "LNK");
    ASSERT_TRUE(Open());
    E(form->GammaGEdit()).Type("11");
    const Ramp applied = port.monitors[0].ramp;

    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_FALSE(form->RestoreOnClose);
    EXPECT_EQ(files.writes, (std::vector<std::string>{
                                kDataFolder + "Tonecast1.lut", kDataFolder + "Tonecast2.lut",
                                kDataFolder + "Tonecast3.lut", kDataFolder + "Tonecast1.icm",
                                kDataFolder + "Tonecast2.icm", kDataFolder + "Tonecast3.icm"}));
    EXPECT_FALSE(files.FileExists(kStartupFolder + "\\Tonestart.lnk"));
    EXPECT_EQ(files.Contents(kDataFolder + "Tonecast1.icm"),
              DisplayProfileOf(0, Patterns().TargetGamma, clock.now));
    EXPECT_TRUE(colorProfiles.installed.empty());  // the option is off
    TCorrection read;
    std::string device;
    ASSERT_TRUE(ReadRampFile(read, device, kDataFolder + "Tonecast1.lut"));
    EXPECT_EQ(read.GammaG, 11);
    // The never selected display is saved with the record read at creation.
    EXPECT_EQ(files.Contents(kDataFolder + "Tonecast3.lut"), thirdFile);
    EXPECT_EQ(port.monitors[0].ramp, applied);  // the corrections stay in force
}

// The second display's file cannot be replaced (held open by another program): the first
// display's file is as before, byte for byte, the error names the file, and a later Cancel
// puts the ramps back.
TEST_F(WindowTest, AFailedSaveChangesNoFileAndALaterCancelRestores) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    const Ramp captured0 = port.monitors[0].ramp;
    TCorrection stored;
    stored.Gamma = 7;
    StoreRampFile(0, stored);
    const std::string storedFile = files.Contents(kDataFolder + "Tonecast1.lut");
    files.FailMovesOnto(kDataFolder + "Tonecast2");
    ASSERT_TRUE(Open());
    E(form->WhiteEdit()).Type("5");

    B(form->OkButton).Click();
    EXPECT_FALSE(host.closed);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(kDataFolder + "Tonecast2.lut\r\nFile access denied"),
              std::string::npos)
        << host.errors[0];
    EXPECT_EQ(files.Contents(kDataFolder + "Tonecast1.lut"), storedFile);
    std::vector<std::string> left = files.ListFolder(kDataFolder, "*");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Tonecast.session", "Tonecast1.lut"}));
    EXPECT_FALSE(files.FileExists(kStartupFolder + "\\Tonestart.lnk"));
    EXPECT_EQ(port.monitors[0].ramp, RampOf(Record(0)));  // still corrected meanwhile

    B(form->CancelButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(port.monitors[0].ramp, captured0);
    EXPECT_EQ(host.errors.size(), 1u);  // no second attempt to save
}

// A portable copy saves its log-on shortcut with the rest; a Startup folder that cannot be
// written fails the save like any other file.
TEST_F(WindowTest, APortableCopysShortcutThatCannotBeWrittenFailsTheSave) {
    shell.executablePath = "D:\\Tonecast\\Tonecast.exe";
    files.AddFolder("D:\\Tonecast");
    AddDisplay({0, 0, 1920, 1080});
    files.FailWritesUnder(kStartupFolder);
    ASSERT_TRUE(Open());
    B(form->OkButton).Click();
    EXPECT_FALSE(host.closed);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find(kStartupFolder + "\\Tonestart.lnk"), std::string::npos);
    EXPECT_FALSE(files.FileExists("D:\\Tonecast\\Tonecast1.lut"));
}

TEST_F(WindowTest, OkMayBeTriedAgainAfterAFailedSave) {
    shell.executablePath = "D:\\Tonecast\\Tonecast.exe";
    files.AddFolder("D:\\Tonecast");
    AddDisplay({0, 0, 1920, 1080});
    shell.linkCreationFails = true;
    ASSERT_TRUE(Open());
    B(form->OkButton).Click();
    EXPECT_FALSE(host.closed);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_NE(host.errors[0].find("ClassID"), std::string::npos);

    shell.linkCreationFails = false;
    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(files.Contents(kStartupFolder + "\\Tonestart.lnk"),
              "LNK|SetPath D:\\Tonecast\\Tonestart.exe|SetArguments ");
}

TEST_F(WindowTest, OkCreatesTheDataFolder) {
    AddDisplay({0, 0, 1920, 1080});
    files.AddFolder("C:\\ProgramData");
    ASSERT_TRUE(Open());
    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(
        files.createdFolders,
        (std::vector<std::string>{"C:\\ProgramData\\Velmor", "C:\\ProgramData\\Velmor\\Tonecast"}));
    EXPECT_EQ(files.writes, (std::vector<std::string>{kDataFolder + "Tonecast1.lut",
                                                      kDataFolder + "Tonecast1.icm"}));
}

// The monitors were re-ordered since the last save: each one's files keep their number.
TEST_F(WindowTest, TheWelcomeBoxMakesEachSavedProfileItsMonitorsOwnOnOk) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080});
    files.AddFolder(kDataFolder);
    for (int i = 0; i < 2; ++i)
        files.AddFile(RampFileName(kDataFolder, 1 - i),
                      FormatRampFile(TCorrection{}, "\\\\.\\DISPLAY1", port.monitors[i].deviceId));
    ASSERT_TRUE(Open());
    EXPECT_FALSE(form->InstallProfileCheckBox->IsChecked());
    AsFake(*form->InstallProfileCheckBox).Click();
    EXPECT_TRUE(Settings().InstallProfile);
    E(form->GammaEdit()).Type("12");

    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_TRUE(host.errors.empty());
    for (int i = 0; i < 2; ++i) {
        const std::string name = "Tonecast" + std::to_string(2 - i) + ".icm";
        EXPECT_EQ(colorProfiles.defaults[port.monitors[i].deviceId], name);
        EXPECT_EQ(colorProfiles.installed[name], files.Contents(kDataFolder + name));
    }
    TCorrection first;
    std::string device;
    ASSERT_TRUE(ReadRampFile(first, device, kDataFolder + "Tonecast2.lut"));
    EXPECT_EQ(first.Gamma, 12);
}

TEST_F(WindowTest, AProfileTheSystemRefusesIsToldAndTheSaveStands) {
    AddDisplay({0, 0, 1920, 1080});
    Settings().InstallProfile = true;
    colorProfiles.refusal = "Access is denied.";
    ASSERT_TRUE(Open());
    EXPECT_TRUE(form->InstallProfileCheckBox->IsChecked());
    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_TRUE(files.FileExists(kDataFolder + "Tonecast1.icm"));
    EXPECT_EQ(host.errors, (std::vector<std::string>{
                               "EProfileInstall\r\n\r\nDisplay 1 (Generic Non-PnP Monitor): "
                               "Access is denied."}));
}

// While the window is open the session file holds what it found on each display whose ramp
// could be read; every orderly end removes it, and a window that goes without one (an error
// escaping to the message loop) puts the ramps back as Cancel does.
TEST_F(WindowTest, TheSessionFileLivesAsLongAsTheWindow) {
    AddDisplay({0, 0, 1920, 1080});
    AddDisplay({1920, 0, 3840, 1080}).failRead = true;
    const Ramp found = port.monitors[0].ramp;
    const std::string session = kDataFolder + kSessionFileName;
    ASSERT_TRUE(Open());
    std::vector<CapturedRamp> ramps;
    ASSERT_TRUE(ParseSessionFile(files.Contents(session), ramps));
    EXPECT_EQ(ramps, (std::vector<CapturedRamp>{{"\\\\.\\DISPLAY1", found}}));
    B(form->CancelButton).Click();
    EXPECT_FALSE(files.FileExists(session));

    host.closed = false;
    ASSERT_TRUE(Open());
    B(form->OkButton).Click();
    EXPECT_TRUE(host.closed);
    EXPECT_FALSE(files.FileExists(session));

    const Ramp saved = port.monitors[0].ramp;
    ASSERT_TRUE(Open());
    E(form->GammaEdit()).Type("30");
    ASSERT_NE(port.monitors[0].ramp, saved);
    form.reset();
    EXPECT_EQ(port.monitors[0].ramp, saved);
    EXPECT_FALSE(files.FileExists(session));
}

}  // namespace

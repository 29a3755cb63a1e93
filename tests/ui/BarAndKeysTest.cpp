// The bar's buttons, the tabs, the page keys and the reference-image label.
#include "WindowFixture.h"
#include "render/PixelCanvas.h"

namespace {

class BarAndKeys : public WindowTest {
protected:
    void SetUp() override {
        AddDisplay({0, 0, 1920, 1080});
        AddDisplay({1920, 0, 3840, 1080});
        ASSERT_TRUE(Open());
    }
};

TEST_F(BarAndKeys, CtrlTabStepsThroughThePagesAndWraps) {
    form->ShowPage(7);
    form->FormKeyDown(kKeyTab, true, false);
    EXPECT_EQ(CurrentPage(), 8);
    form->FormKeyDown(kKeyTab, true, false);
    EXPECT_EQ(CurrentPage(), 0);
    EXPECT_TRUE(form->WelcomePanel->IsVisible());
    form->FormKeyDown(kKeyTab, true, true);
    EXPECT_EQ(CurrentPage(), 8);
    EXPECT_TRUE(form->FileLabel->IsVisible());
    form->FormKeyDown(kKeyTab, true, true);
    EXPECT_EQ(CurrentPage(), 7);
    EXPECT_EQ(AsFake(*form->TabSet).index, 7);
}

TEST_F(BarAndKeys, OtherKeysAndTabWithoutCtrlLeaveThePage) {
    form->ShowPage(3);
    form->FormKeyDown(kKeyTab, false, false);
    form->FormKeyDown(kKeyTab, false, true);
    form->FormKeyDown('A', true, false);
    form->FormKeyDown(0x27, true, false);  // right arrow
    EXPECT_EQ(CurrentPage(), 3);
}

TEST_F(BarAndKeys, EscapeAsksOverTheCapturedRampsNoPutsBackWhatWasShownYesCancels) {
    std::vector<Ramp> captured(2);  // what AddDisplay gave the monitors before the window
    for (int i = 0; i < kRampSize; ++i)
        for (int n = 0; n < 2; ++n)
            captured[n][i] = static_cast<std::uint16_t>((i % 256) * 200 + 7 * n);
    E(form->GammaEdit()).Type("40");
    AsFake(*form->DisplayComboBox).Choose(1);
    B(form->OffButton).Click();  // display 2 on the identity, display 1 keeps its correction
    const std::vector<Ramp> shown = {port.monitors[0].ramp, port.monitors[1].ramp};
    ASSERT_NE(shown[0], captured[0]);
    ASSERT_NE(shown[1], captured[1]);

    std::vector<Ramp> whileAsked;
    host.onQuestion = [&] {
        whileAsked = {port.monitors[0].ramp, port.monitors[1].ramp};
        return false;
    };
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_EQ(host.questions, std::vector<std::string>{"DiscardQuestion [BYes|BNo]"});
    EXPECT_EQ(whileAsked, captured);
    EXPECT_EQ(port.monitors[0].ramp, shown[0]);
    EXPECT_EQ(port.monitors[1].ramp, shown[1]);
    EXPECT_FALSE(host.closed);

    form->FormKeyDown(kKeyEscape, true, false);  // Ctrl+Escape is not the key
    EXPECT_EQ(host.questions.size(), 1u);
    host.onQuestion = [] { return true; };
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(port.monitors[0].ramp, captured[0]);
    EXPECT_EQ(port.monitors[1].ramp, captured[1]);
    EXPECT_TRUE(files.writes.empty());
}

// Escape then No puts back what the window wrote, not what a read-back gave: Wine keeps only
// each entry's high byte, and the read-back (entry 0 at 257) is a ramp it refuses.
TEST_F(BarAndKeys, EscapeThenNoWritesTheCorrectionAgainThroughTheVerifiedWrite) {
    port.monitors[0].refuseLikeWine = true;
    form->ShowPage(1);
    E(form->BlackEdit()).Type("2");
    const Ramp corrected = port.monitors[0].ramp;
    ASSERT_FALSE(form->RefusedLabel->IsVisible());
    host.onQuestion = [] { return false; };
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_EQ(port.monitors[0].ramp, corrected);
    EXPECT_FALSE(form->RefusedLabel->IsVisible());
}

// While the question is up a close request ends the window as Cancel does, and a display
// change keeps the captured ramps on; after No it is handled as any display change.
TEST_F(BarAndKeys, ACloseOrADisplayChangeWhileAskingLeavesTheCapturedRamps) {
    const Ramp captured = Engine().SavedRamps[0];
    E(form->GammaEdit()).Type("40");
    const Ramp corrected = port.monitors[0].ramp;
    host.onQuestion = [&] {
        port.monitors[0].ramp[3] = 1;  // the system reset it
        form->HandleDisplayChange();
        EXPECT_EQ(port.monitors[0].ramp, captured);
        return false;
    };
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_EQ(port.monitors[0].ramp, corrected);

    host.onQuestion = [&] {
        host.Close();
        return false;
    };
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(port.monitors[0].ramp, captured);
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(BarAndKeys, ATabChangeWhileHandlersArePausedOnlyMovesTheTab) {
    form->HandlersEnabled = false;
    AsFake(*form->TabSet).ClickTab(4);
    EXPECT_EQ(AsFake(*form->TabSet).index, 4);  // the change itself is allowed
    EXPECT_EQ(CurrentPage(), 0);
    form->HandlersEnabled = true;
    AsFake(*form->TabSet).ClickTab(6);
    EXPECT_EQ(CurrentPage(), 6);
    EXPECT_TRUE(form->PointPanel().IsVisible());
}

TEST_F(BarAndKeys, MinimizeDropsStayOnTopAndHidesTheBackdrop) {
    B(form->MinimizeButton).Click();
    EXPECT_FALSE(host.topmost);
    EXPECT_TRUE(host.minimized);
    EXPECT_EQ(backdropHides, 1);
    EXPECT_FALSE(host.closed);
}

TEST_F(BarAndKeys, ResetClearsOnlyTheSelectedDisplayAndAppliesOnce) {
    Record(1).Gamma = 8;
    E(form->WhiteEdit()).Type("6");
    Record(0).PointOn[3] = 1;
    Record(0).PointG[3] = 2;
    B(form->OffButton).Click();
    const int writes = RampWrites();
    B(form->ResetButton).Click();
    EXPECT_EQ(Record(0), TCorrection{});
    EXPECT_EQ(Record(1).Gamma, 8);
    EXPECT_EQ(RampWrites() - writes, 1);
    EXPECT_EQ(E(form->WhiteEdit()).GetText(), "0");
    EXPECT_EQ(port.monitors[0].ramp, RampOf(TCorrection{}));
    EXPECT_TRUE(form->LutOn);
}

TEST_F(BarAndKeys, TheFileLabelOpensTheDialogOnTheReferenceImage) {
    const std::string current = kProgramFolder + "TonecastRef.sRGB.jpg";
    files.AddFile(current, "jpeg");
    files.AddFile("D:\\Photos\\portrait.jpg", "jpeg");
    form->ShowPage(8);

    shell.dialogConfirms = false;
    AsFake(*form->FileLabel).Click();
    ASSERT_EQ(shell.dialogs.size(), 1u);
    const FileDialogRequest& request = shell.dialogs[0];
    EXPECT_EQ(request.owner, host.Handle());
    EXPECT_EQ(request.title, "RefDlgTitle");
    EXPECT_EQ(request.filterList, std::string("RefDlgFiles (*.jpg)\0*.jpg\0", 26));
    EXPECT_EQ(request.defaultExt, "jpg");
    EXPECT_EQ(request.initialFolder, "C:\\Program Files\\Velmor\\Tonecast");
    EXPECT_EQ(request.fileBuffer, current);
    EXPECT_EQ(Settings().ReferenceImagePath, current);  // cancelled: nothing changes

    shell.dialogConfirms = true;
    shell.dialogChoice = "D:\\Photos\\portrait.jpg";
    AsFake(*form->FileLabel).Click();
    EXPECT_EQ(Settings().ReferenceImagePath, "D:\\Photos\\portrait.jpg");
    EXPECT_EQ(form->FileLabel->GetText(), "portrait.jpg");
    EXPECT_EQ(CurrentPage(), 8);

    // A network path the settings file named is kept but not opened, and the dialog starts
    // elsewhere; the page says why. Picked in the dialog, the same path is opened.
    const std::string share = "\\\\host\\share\\x.jpg";
    files.AddFile(share, "jpeg");
    Settings().ReferenceImagePath = share;
    Settings().ReferenceImageRefused = true;
    form->ShowPage(8);
    EXPECT_EQ(Settings().ReferenceImagePath, share);
    PixelCanvas page(1920, 1080);
    form->FormPaint(page);
    ASSERT_EQ(page.Texts().size(), 1u);
    EXPECT_EQ(page.Texts()[0].text, "RefImageNotLocal");
    shell.dialogChoice = share;
    AsFake(*form->FileLabel).Click();
    EXPECT_EQ(shell.dialogs.back().fileBuffer, current);
    EXPECT_FALSE(Settings().ReferenceImageRefused);
    form->FormPaint(page);
    EXPECT_EQ(page.Texts().back().text, "RefImageDamaged");  // opened: "jpeg" is no image
}

}  // namespace

namespace {

// A display that refuses like Wine: the warning follows the selected display's last write.
TEST_F(BarAndKeys, TheRefusalWarningShowsWhileTheSelectedDisplayRefuses) {
    port.monitors[0].refuseLikeWine = true;
    form->ShowPage(1);
    E(form->BlackEdit()).Type("100");  // entry 0 far above 256
    EXPECT_TRUE(form->RefusedLabel->IsVisible());
    EXPECT_EQ(form->RefusedLabel->GetText(), "LRampRefused");
    // A row of its own between the tabs and the buttons, which keep their place at the bottom.
    EXPECT_EQ(form->RefusedLabel->GetBounds(), (Bounds{12, 26, 1920 - 12 - 5, 40}));
    EXPECT_EQ(form->Panel->GetBounds(), (Bounds{0, 1080 - 53 - 41, 1920, 53 + 41}));
    EXPECT_EQ(form->ResetButton->GetBounds().top, 28 + 41);
    EXPECT_EQ(form->BlackPanel().GetBounds().top,
              1080 - 94 - 20 - form->BlackPanel().GetBounds().height);

    host.onQuestion = [] { return false; };  // Escape, No: still the refused correction
    form->FormKeyDown(kKeyEscape, false, false);
    EXPECT_TRUE(form->RefusedLabel->IsVisible());

    B(form->OffButton).Click();  // the identity is taken
    EXPECT_FALSE(form->RefusedLabel->IsVisible());
    EXPECT_EQ(form->Panel->GetBounds(), (Bounds{0, 1080 - 53, 1920, 53}));
    EXPECT_EQ(form->ResetButton->GetBounds().top, 28);
    B(form->OffButton).Click();
    EXPECT_TRUE(form->RefusedLabel->IsVisible());

    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_FALSE(form->RefusedLabel->IsVisible());
    AsFake(*form->DisplayComboBox).Choose(0);
    EXPECT_TRUE(form->RefusedLabel->IsVisible());

    // A display change re-applies the correction: the warning tells how that write went.
    port.monitors[0].refuseLikeWine = false;
    form->HandleDisplayChange();
    EXPECT_FALSE(form->RefusedLabel->IsVisible());
    port.monitors[0].refuseLikeWine = true;
    form->HandleDisplayChange();
    EXPECT_TRUE(form->RefusedLabel->IsVisible());

    B(form->ResetButton).Click();
    EXPECT_FALSE(form->RefusedLabel->IsVisible());
    EXPECT_EQ(port.monitors[0].ramp[255], 255 * 257);  // the identity, high bytes kept

    // With Windows' limit lifted the warning says what stands in the way now, as the registry
    // tells it when the warning appears: a sign-in still to come, or the driver itself.
    shell.gammaRangeWritten = 200;
    shell.signInTime = 100;
    E(form->BlackEdit()).Type("100");
    EXPECT_EQ(form->RefusedLabel->GetText(), "LRampRefusedSignIn");
    B(form->ResetButton).Click();
    shell.signInTime = 300;
    E(form->BlackEdit()).Type("100");
    EXPECT_EQ(form->RefusedLabel->GetText(), "LRampRefusedDriver");
    // HDR turned on for the second display: Windows defines no gamma ramp there.
    port.monitors[1].advancedColor = true;
    form->HandleDisplayChange();
    AsFake(*form->DisplayComboBox).Choose(1);
    EXPECT_TRUE(form->RefusedLabel->IsVisible());
    EXPECT_EQ(form->RefusedLabel->GetText(), "LHdrMode");
}

}  // namespace

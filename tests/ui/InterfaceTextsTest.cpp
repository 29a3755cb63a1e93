// The window's texts from the language table and the language selector.
#include "WindowFixture.h"

namespace {

class InterfaceTexts : public WindowTest {
protected:
    void AddLanguage(const std::string& folder, const std::string& name,
                     const std::string& entries) {
        files.AddFolder(folder);
        files.AddFile(folder + name + ".lng", entries);
    }
    void OpenWithLanguage(const std::string& languageName) {
        Settings().LanguageName = languageName;
        OpenOneFullHdDisplay();
    }
    FakeComboBox& Languages() { return AsFake(*form->LangComboBox); }
};

TEST_F(InterfaceTexts, ApplyTextsRenewsEveryCaptionThenLaysThePageOut) {
    OpenOneFullHdDisplay();  // no language files: every text is its key
    B(form->OffButton).Click();
    form->ShowPage(3);

    const std::vector<std::pair<Control*, std::string>> expected = {
        {form->OkButton.get(), "BOK"},
        {form->CancelButton.get(), "BCancel"},
        {form->MinimizeButton.get(), "BMinimize"},
        {form->OffButton.get(), "BOnLUT"},  // the LUT is off
        {form->ResetButton.get(), "BReset"},
        {form->MonitorLabel.get(), "LDisplay"},
        {form->RefusedLabel.get(), "LRampRefused"},
        {form->LangLabel.get(), "LLanguage"},
        {form->GammaSetupLabel.get(), "LGamma"},
        {form->WelcomeLabel.get(), "LWelcome"},
        {form->WelcomeMemoText.get(), "TWelcome"},
        {&form->BlackLabel(), "LBlack"},
        {&form->WhiteLabel(), "LWhite"},
        {&form->PointLabel(), "LValue"},
        {&form->BalanceLabel(), "LBalance"},
        {&form->GammaLabel(), "LGamma"},
        {&form->BlackResetLabel(), "LReset"},
        {&form->WhiteResetLabel(), "LReset"},
        {&form->PointResetLabel(), "LReset"},
        {&form->BalanceResetLabel(), "LReset"},
        {&form->GammaResetLabel(), "LReset"},
        {&form->PointPosLabel(), "LPos"},
        {&form->PointPrevButton(), "BPrev"},
        {&form->PointNextButton(), "BNext"},
        {&form->PointClearButton(), "BClearAll"},
        {form->HelpLabel.get(), "TGamma"},  // the help of the page shown
    };
    // Stale captions, as a previous language leaves them, must all be replaced.
    FakeTabSet& tabs = AsFake(*form->TabSet);
    for (auto& [control, text] : expected)
        control->SetText("stale");
    tabs.tabs.assign(tabs.tabs.size(), "stale");
    form->ApplyTexts();

    for (auto& [control, text] : expected)
        EXPECT_EQ(control->GetText(), text);
    EXPECT_EQ(tabs.tabs,
              (std::vector<std::string>{"TabWelcome", "TabBlackPoint", "TabWhitePoint", "TabGamma",
                                        "TabGammaSharp", "TabColorBalance", "TabCorrectionPoints",
                                        "TabAllControls", "ReferenceImage"}));
    EXPECT_EQ(CurrentPage(), 3);
    EXPECT_TRUE(form->GammaPanel().IsVisible());
}

TEST_F(InterfaceTexts, WithNoLanguageFileTheSelectorIsEmptyAndKeysShow) {
    OpenOneFullHdDisplay();
    EXPECT_TRUE(Languages().items.empty());
    EXPECT_EQ(Languages().index, -1);
    EXPECT_EQ(form->OkButton->GetText(), "BOK");
    EXPECT_EQ(form->OffButton->GetText(), "BOffLUT");
    EXPECT_EQ(AsFake(*form->TabSet).tabs[8], "ReferenceImage");
    EXPECT_EQ(Settings().LanguageName, "English");
}

TEST_F(InterfaceTexts, TheSavedLanguageIsSelectedAndLoadedWithTheWelcomeCaptionFormatted) {
    AddLanguage(kProgramFolder, "English", "BOK=OK\r\nLWelcome=Welcome to %s\r\n");
    AddLanguage(kProgramFolder, "Deutsch", "BOK=Gut\r\nLWelcome=Willkommen\r\n");
    OpenWithLanguage("english");  // the saved name matches without regard to case
    EXPECT_EQ(Languages().items, (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_EQ(Languages().index, 0);
    EXPECT_EQ(form->OkButton->GetText(), "OK");
    EXPECT_EQ(form->WelcomeLabel->GetText(), "Welcome to Tonecast 3.1.0");
    EXPECT_EQ(Settings().LanguageName, "english");
}

TEST_F(InterfaceTexts, ChoosingALanguageMergesItsTextsOverThePreviousOnes) {
    AddLanguage(kProgramFolder, "English", "BOK=OK\r\nBCancel=Cancel\r\nLWelcome=Hello\r\n");
    AddLanguage(kDataFolder, "Deutsch", "BOK=Gut\r\nLWelcome=Willkommen bei %s\r\n");
    OpenWithLanguage("English");
    ASSERT_EQ(Languages().items, (std::vector<std::string>{"Deutsch", "English"}));

    Languages().Choose(0);
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    EXPECT_EQ(form->OkButton->GetText(), "Gut");
    EXPECT_EQ(form->CancelButton->GetText(), "Cancel");  // a key the file lacks stays
    EXPECT_EQ(form->WelcomeLabel->GetText(), "Willkommen bei Tonecast 3.1.0");
}

TEST_F(InterfaceTexts, NamesDifferingOnlyInCaseGiveOneEntryTheFirstFound) {
    AddLanguage(kDataFolder, "Deutsch", "BOK=Gut\r\n");
    AddLanguage(kUserFolder, "DEUTSCH", "BOK=GUT\r\n");
    AddLanguage(kProgramFolder, "English", "BOK=OK\r\n");
    AddLanguage(kProgramFolder, "deutsch", "BOK=gut\r\n");
    OpenWithLanguage("English");
    EXPECT_EQ(Languages().items, (std::vector<std::string>{"Deutsch", "English"}));
    EXPECT_EQ(Languages().index, 1);
}

TEST_F(InterfaceTexts, ASavedLanguageThatIsNotListedLoadsTheFirstEntryAndKeepsTheName) {
    AddLanguage(kProgramFolder, "Deutsch", "BOK=Gut\r\n");
    AddLanguage(kProgramFolder, "English", "BOK=OK\r\n");
    OpenWithLanguage("Klingon");
    EXPECT_EQ(Languages().index, 0);
    EXPECT_EQ(form->OkButton->GetText(), "Gut");
    EXPECT_EQ(Settings().LanguageName, "Klingon");
}

TEST_F(InterfaceTexts, SwitchingOnTheBalancePageKeepsItsPanelsAndRenewsItsHelp) {
    AddLanguage(kProgramFolder, "English", "TColorBalance=Balance the greys.\r\n");
    AddLanguage(kProgramFolder, "Deutsch", "TColorBalance=Graue Balance.\r\n");
    OpenWithLanguage("English");
    E(form->BalanceREdit()).Type("4");
    form->ShowPage(5);
    ASSERT_EQ(form->HelpLabel->GetText(), "Balance the greys.");
    const Bounds black = form->BlackPanel().GetBounds();
    const int writes = RampWrites();

    Languages().Choose(1);
    EXPECT_EQ(CurrentPage(), 5);
    EXPECT_EQ(form->HelpLabel->GetText(), "Graue Balance.");
    EXPECT_TRUE(form->BlackPanel().IsVisible());
    EXPECT_TRUE(form->BalancePanel().IsVisible());
    EXPECT_TRUE(form->WhitePanel().IsVisible());
    EXPECT_EQ(form->BlackPanel().GetBounds(), black);
    EXPECT_EQ(Record().BalanceR, 4);
    EXPECT_EQ(RampWrites(), writes);  // texts only: nothing applied
}

}  // namespace

// The adjustment panels are made after the first page: made later, after a language switch and
// a dpi change, reached by the keyboard, they show what panels made at the start would show.
TEST_F(InterfaceTexts, PanelsMadeAfterALanguageAndDpiChangeShowThatLanguageScaleAndRecord) {
    AddLanguage(kProgramFolder, "English", "LBlack=Black:\r\nBPrev=Prev\r\n");
    AddLanguage(kProgramFolder, "Deutsch",
                "LBlack=Schwarz:\r\nBPrev=Zur\xFC"
                "ck\r\n");
    TCorrection stored;
    stored.BlackR = 5;
    AddDisplay({0, 0, 1920, 1080});
    StoreRampFile(0, stored);
    Settings().LanguageName = "English";
    ASSERT_TRUE(Open());
    ASSERT_EQ(Languages().items, (std::vector<std::string>{"English", "Deutsch"}));
    Languages().Choose(1);
    form->HandleDpiChange(144);
    const size_t madeAtStart = controls.controls.size();

    form->FormKeyDown(kKeyTab, true, false);  // Ctrl+Tab: the black point page
    EXPECT_EQ(CurrentPage(), 1);
    EXPECT_GT(controls.controls.size(), madeAtStart);
    EXPECT_EQ(form->BlackLabel().GetText(), "Schwarz:");
    EXPECT_EQ(form->PointPrevButton().GetText(), "Zurück");  // the 1252 file read as such
    EXPECT_EQ(form->BlackREdit().GetText(), "5");
    // As in PageLayout's dpi test: the panel 182 x 213 at 144 dpi, 30 above the 80-high bar.
    EXPECT_EQ(form->BlackPanel().GetBounds(), (Bounds{960 - 91, 1080 - 80 - 213 - 30, 182, 213}));
    EXPECT_EQ(form->BlackREdit().GetBounds(), (Bounds{99, 51, 53, 32}));
    EXPECT_EQ(RampOf(Record()), LastWritten());
}

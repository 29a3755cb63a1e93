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

TEST_F(InterfaceTexts, ApplyTextsSetsEveryKeyInItsOrderThenLaysThePageOut) {
    OpenOneFullHdDisplay();  // no language files: every text is its key
    B(form->OffButton).Click();
    form->ShowPage(3);
    controls.textLog.clear();
    form->ApplyTexts();

    struct Expected {
        const Control* control;
        int tab;
        std::string text;
    };
    const Control* tabs = form->TabSet.get();
    const std::vector<Expected> expected = {
        {form->OkButton.get(), -1, "BOK"},
        {form->CancelButton.get(), -1, "BCancel"},
        {form->MinimizeButton.get(), -1, "BMinimize"},
        {form->OffButton.get(), -1, "BOnLUT"},  // the LUT is off
        {form->ResetButton.get(), -1, "BReset"},
        {form->MonitorLabel.get(), -1, "LDisplay"},
        {tabs, 0, "TabWelcome"},
        {tabs, 1, "TabBlackPoint"},
        {tabs, 2, "TabWhitePoint"},
        {tabs, 3, "TabGamma"},
        {tabs, 4, "TabGammaSharp"},
        {tabs, 5, "TabColorBalance"},
        {tabs, 6, "TabCorrectionPoints"},
        {tabs, 7, "TabAllControls"},
        {tabs, 8, "ReferenceImage"},
        {form->LangLabel.get(), -1, "LLanguage"},
        {form->GammaSetupLabel.get(), -1, "LGamma"},
        {form->WelcomeLabel.get(), -1, "LWelcome"},
        {form->WelcomeMemoText.get(), -1, "TWelcome"},
        {form->BlackLabel.get(), -1, "LBlack"},
        {form->WhiteLabel.get(), -1, "LWhite"},
        {form->PointLabel.get(), -1, "LValue"},
        {form->BalanceLabel.get(), -1, "LBalance"},
        {form->GammaLabel.get(), -1, "LGamma"},
        {form->BlackResetLabel.get(), -1, "LReset"},
        {form->WhiteResetLabel.get(), -1, "LReset"},
        {form->PointResetLabel.get(), -1, "LReset"},
        {form->BalanceResetLabel.get(), -1, "LReset"},
        {form->GammaResetLabel.get(), -1, "LReset"},
        {form->PointPosLabel.get(), -1, "LPos"},
        {form->PointPrevButton.get(), -1, "BPrev"},
        {form->PointNextButton.get(), -1, "BNext"},
        {form->PointClearButton.get(), -1, "BClearAll"},
        {form->HelpLabel.get(), -1, "TGamma"},  // ShowPage for the page shown
    };
    ASSERT_EQ(controls.textLog.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(controls.textLog[i].control, expected[i].control) << i;
        EXPECT_EQ(controls.textLog[i].tab, expected[i].tab) << i;
        EXPECT_EQ(controls.textLog[i].text, expected[i].text) << i;
    }
    EXPECT_EQ(CurrentPage(), 3);
    EXPECT_TRUE(form->GammaPanel->IsVisible());
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
    E(form->BalanceREdit).Type("4");
    form->ShowPage(5);
    ASSERT_EQ(form->HelpLabel->GetText(), "Balance the greys.");
    const Bounds black = form->BlackPanel->GetBounds();
    const int writes = RampWrites();

    Languages().Choose(1);
    EXPECT_EQ(CurrentPage(), 5);
    EXPECT_EQ(form->HelpLabel->GetText(), "Graue Balance.");
    EXPECT_TRUE(form->BlackPanel->IsVisible());
    EXPECT_TRUE(form->BalancePanel->IsVisible());
    EXPECT_TRUE(form->WhitePanel->IsVisible());
    EXPECT_EQ(form->BlackPanel->GetBounds(), black);
    EXPECT_EQ(Record().BalanceR, 4);
    EXPECT_EQ(RampWrites(), writes);  // texts only: nothing applied
}

}  // namespace

// Where every page puts its panels, on a 1920 x 1080 display (bar 53 high, so its top is 1027).
#include <map>

#include "WindowFixture.h"

namespace {

struct Place {
    int left, top;
    bool operator==(const Place&) const = default;
};
using Layout = std::map<std::string, Place>;

class PageLayout : public WindowTest {
protected:
    void SetUp() override { OpenOneFullHdDisplay(); }

    // The visible panels (and the file label) of the page shown, by name.
    Layout Visible() {
        const std::pair<const char*, Control*> all[] = {{"Welcome", form->WelcomePanel.get()},
                                                        {"Lang", form->LangPanel.get()},
                                                        {"GammaSetup", form->GammaSetupPanel.get()},
                                                        {"Black", &form->BlackPanel()},
                                                        {"White", &form->WhitePanel()},
                                                        {"Gamma", &form->GammaPanel()},
                                                        {"Balance", &form->BalancePanel()},
                                                        {"Point", &form->PointPanel()},
                                                        {"File", form->FileLabel.get()}};
        Layout shown;
        for (const auto& [name, control] : all)
            if (control->IsVisible())
                shown[name] = {control->GetBounds().left, control->GetBounds().top};
        return shown;
    }
};

std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << "(" << p.left << "," << p.top << ")";
}

TEST_F(PageLayout, EveryPagePlacesItsPanelsExactly) {
    Settings().ReferenceImagePath = kProgramFolder + "TonecastRef.sRGB.jpg";
    files.AddFile(Settings().ReferenceImagePath, "jpeg");
    const Layout expected[kPageCount] = {
        {{"Welcome", {644, 328}}, {"Lang", {1771, 931}}, {"GammaSetup", {1771, 981}}},
        {{"Black", {900, 865}}},
        {{"White", {899, 865}}},
        {{"Gamma", {900, 865}}},
        {{"Gamma", {900, 865}}},
        {{"Black", {759, 865}}, {"Balance", {900, 865}}, {"White", {1041, 865}}},
        {{"Point", {837, 867}}},
        {{"Black", {553, 865}},
         {"White", {694, 865}},
         {"Point", {837, 867}},
         {"Balance", {1104, 865}},
         {"Gamma", {1245, 865}}},
        // "TonecastRef.sRGB.jpg" is 120 x 13 in the fake font.
        {{"File", {1920 - 120 - 70, 1080 - 13 - 53 - 4}}},
    };
    for (int page = 0; page < kPageCount; ++page) {
        AsFake(*form->TabSet).ClickTab(page);
        EXPECT_EQ(CurrentPage(), page);
        EXPECT_EQ(Visible(), expected[page]) << "page " << page;
    }
}

TEST_F(PageLayout, TheHelpTextSitsTopLeftExceptOnTheWelcomePage) {
    const char* keys[kPageCount] = {"",
                                    "TBlackPoint",
                                    "TWhitePoint",
                                    "TGamma",
                                    "TGammaSharp",
                                    "TColorBalance",
                                    "TCorrectionPoints",
                                    "TAllControls",
                                    "TReferenceImage"};
    for (int page = 1; page < kPageCount; ++page) {
        form->ShowPage(page);
        EXPECT_TRUE(form->HelpLabel->IsVisible());
        EXPECT_EQ(form->HelpLabel->GetBounds(), (Bounds{70, 0, 300, 360}));
        EXPECT_EQ(form->HelpLabel->GetText(), keys[page]);
    }
    form->ShowPage(0);
    EXPECT_FALSE(form->HelpLabel->IsVisible());
}

TEST_F(PageLayout, OnlyTheWhitePointPageIsWhite) {
    for (int page : {1, 2, 3}) {
        form->ShowPage(page);
        const Color expected = page == 2 ? kWhite : kBlack;
        EXPECT_EQ(host.background, expected) << page;
        EXPECT_EQ(form->Background(), expected) << page;
        EXPECT_EQ(AsFake(*form->HelpLabel).background, expected) << page;
    }
}

TEST_F(PageLayout, AMissingReferenceImageFallsBackToTheOneBesideTheProgram) {
    Settings().ReferenceImagePath = "D:\\Photos\\gone.jpg";
    form->ShowPage(8);
    EXPECT_EQ(Settings().ReferenceImagePath, kProgramFolder + "TonecastRef.sRGB.jpg");
    EXPECT_EQ(form->FileLabel->GetText(), "TonecastRef.sRGB.jpg");

    files.AddFile("D:\\Photos\\kept.jpg", "jpeg");
    Settings().ReferenceImagePath = "D:\\Photos\\kept.jpg";
    form->ShowPage(8);
    EXPECT_EQ(form->FileLabel->GetText(), "kept.jpg");
    EXPECT_EQ(form->FileLabel->GetBounds(), (Bounds{1920 - 48 - 70, 1010, 48, 13}));
}

TEST_F(PageLayout, ShowingAPageSelectsItsTabWithoutShowingItTwice) {
    host.ClearLog();
    backdropInvalidations = 0;
    form->ShowPage(5);
    EXPECT_EQ(AsFake(*form->TabSet).index, 5);
    EXPECT_EQ(host.Count("Invalidate"), 1);
    EXPECT_EQ(backdropInvalidations, 1);  // the backdrop paints by page too
    EXPECT_TRUE(form->HandlersEnabled);
}

TEST_F(PageLayout, ADpiChangeRescalesAndLaysThePageOutAgainOnTheSameDisplay) {
    form->ShowPage(1);
    form->HandleDpiChange(144);
    EXPECT_EQ(host.dpi, 144);
    EXPECT_EQ(host.bounds, (Bounds{0, 0, 1920, 1080}));
    // Bar 80 high (53 * 1.5), panel 182 x 213, gap 30.
    EXPECT_EQ(form->BlackPanel().GetBounds(), (Bounds{960 - 91, 1080 - 80 - 213 - 30, 182, 213}));
    EXPECT_EQ(form->HelpLabel->GetBounds(), (Bounds{105, 0, 450, 540}));
    EXPECT_FALSE(form->InDpiChange);

    form->InDpiChange = true;  // a change arriving while one is handled is dropped
    host.ClearLog();
    form->HandleDpiChange(96);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace

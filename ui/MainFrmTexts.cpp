// The window's texts from the language table, and the language selector.
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ui/HandlersPaused.h"
#include "ui/MainFrm.h"
#include "ui/WelcomeText.h"

namespace {

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

int FindItemIgnoringCase(const ComboBox& combo, const std::string& text) {
    for (int i = 0; i < combo.ItemCount(); ++i)
        if (SameTextIgnoringCase(combo.Item(i), text))
            return i;
    return -1;
}

// The language name of a "*.lng" entry; empty for an entry that only matched the pattern
// through its short 8.3 alias ("x.lngx") or has no name before the extension.
std::string LanguageNameOf(const std::string& entry) {
    if (entry.size() <= 4 || !SameTextIgnoringCase(entry.substr(entry.size() - 4), ".lng"))
        return {};
    return entry.substr(0, entry.size() - 4);
}

}  // namespace

void TMainForm::ApplyTexts() {
    ApplyControlTexts();
    ShowPage(CurrentPage());  // the help text and the layout follow the new texts
}

void TMainForm::ApplyControlTexts() {
    OkButton->SetText(LangText("BOK"));
    CancelButton->SetText(LangText("BCancel"));
    MinimizeButton->SetText(LangText("BMinimize"));
    OffButton->SetText(LangText(LutOn ? "BOffLUT" : "BOnLUT"));
    ResetButton->SetText(LangText("BReset"));
    MonitorLabel->SetText(LangText("LDisplay"));
    if (DisplayComboBox->ItemCount() > 0)
        FillDisplayList();
    SetRefusalText();
    for (int i = 0; i < kPageCount; ++i)
        TabSet->SetTabText(i, LangText(kPages[i].tabKey));
    LangLabel->SetText(LangText("LLanguage"));
    GammaSetupLabel->SetText(LangText("LGamma"));
    WelcomeLabel->SetText(FormatWelcomeCaption(LangText("LWelcome")));
    WelcomeMemoText->SetText(LangText("TWelcome"));
    InstallProfileLabel->SetText(LangText("LInstallProfile"));
    textsApplied_ = true;
    if (panelsCreated_)
        ApplyPanelTexts();
}

void TMainForm::SetRefusalText() {
    // HDR comes first: whatever the limit, there a ramp does nothing defined.
    if (DisplayInAdvancedColor(Engine().CurrentDisplay)) {
        RefusedLabel->SetText(LangText("LHdrMode"));
        return;
    }
    switch (gammaLimit_) {
        case GammaLimit::InForce:
            RefusedLabel->SetText(LangText("LRampRefused"));
            break;
        case GammaLimit::LiftedAtNextSignIn:
            RefusedLabel->SetText(LangText("LRampRefusedSignIn"));
            break;
        case GammaLimit::Lifted:
            RefusedLabel->SetText(LangText("LRampRefusedDriver"));
            break;
    }
}

void TMainForm::ApplyPanelTexts() {
    for (int i = 0; i < kAdjustmentCount; ++i) {
        adjustments_[i].overall.label->SetText(LangText(kAdjustments[i].titleKey));
        adjustments_[i].resetLabel->SetText(LangText("LReset"));
    }
    points_.posLabel->SetText(LangText("LPos"));
    points_.prev->SetText(LangText("BPrev"));
    points_.next->SetText(LangText("BNext"));
    points_.clear->SetText(LangText("BClearAll"));
    FitPanelCaptions();
}

// A caption longer than the room left of the value column (Russian "Значение:") starts further
// left, into the panel's margin, instead of running under the edit beside it.
void TMainForm::FitPanelCaptions() {
    const int room = Scaled(kValueColumnLeft) - Scaled(2);
    for (AdjustmentControls& panel : adjustments_)
        for (Label* caption : {panel.overall.label.get(), panel.resetLabel.get()}) {
            Bounds b = caption->GetBounds();
            b.left = std::clamp(room - b.width, 0, Scaled(kPanelMargin));
            caption->SetBounds(b);
        }
}

void TMainForm::FillDisplayList() {
    HandlersPaused paused(HandlersEnabled);
    const int chosen = std::max(0, DisplayComboBox->ItemIndex());
    DisplayComboBox->ClearItems();
    for (int i = 0; i < Engine().DisplayCount(); ++i)
        DisplayComboBox->AddItem(DisplayName(i));
    DisplayComboBox->SetItemIndex(chosen);
}

void TMainForm::FillLanguageList() {
    // Filling the list must not switch the language.
    LangComboBox->onChange = nullptr;
    LangComboBox->ClearItems();
    std::vector<std::string> searched;
    for (const std::string& folder :
         {GetDataFolder(kSubPath), GetUserFolder(kSubPath), GetProgramFolder()}) {
        // A folder searched already (all three are one in portable mode) can only repeat
        // names, which would fall away.
        if (std::any_of(searched.begin(), searched.end(), [&](const std::string& other) {
                return SameTextIgnoringCase(other, folder);
            }))
            continue;
        searched.push_back(folder);
        for (const std::string& entry : Files().ListFolder(folder, "*.lng")) {
            const std::string name = LanguageNameOf(entry);
            if (!name.empty() && FindItemIgnoringCase(*LangComboBox, name) < 0)
                LangComboBox->AddItem(name);
        }
    }
    const int saved = FindItemIgnoringCase(*LangComboBox, Settings().LanguageName);
    if (saved >= 0)
        LangComboBox->SetItemIndex(saved);
    else if (LangComboBox->ItemCount() > 0)
        LangComboBox->SetItemIndex(0);
    // LanguageName keeps the saved name until the user picks a language.
    if (LangComboBox->ItemIndex() >= 0)
        LoadLanguage(LangComboBox->Item(LangComboBox->ItemIndex()));
    LangComboBox->onChange = [this] { LangComboBoxChange(); };
}

void TMainForm::LangComboBoxChange() {
    const int index = LangComboBox->ItemIndex();
    if (index < 0)
        return;
    Settings().LanguageName = LangComboBox->Item(index);
    LoadLanguage(Settings().LanguageName);
    ApplyTexts();
    LayOutBar();  // the display list follows its caption's new width
}

// The calibration window as a whole: creation, the display it stands on, the pages, the bar's
// buttons, the keyboard and closing.
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/Language.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "app/SysDialogs.h"
#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/Path.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ramp/RampFileMatch.h"
#include "ramp/SessionJournal.h"
#include "render/ReferenceImage.h"
#include "ui/HandlersPaused.h"
#include "ui/MainFrm.h"
#include "ui/TargetGammaText.h"

namespace {

// The folder of a path without its trailing backslash; a drive keeps its colon.
std::string FolderWithoutDelimiter(const std::string& path) {
    std::string folder = FolderPart(path);
    if (!folder.empty() && folder.back() != ':')
        folder.pop_back();
    return folder;
}

// Reads every display's rectangle from the system again; which displays are still attached.
// The list keeps its entries from the start: a display that is gone stays listed with its
// record, and one that appears is offered at the next start.
std::vector<bool> UpdateDisplays() {
    std::vector<bool> attached(Engine().DisplayCount());
    for (int i = 0; i < Engine().DisplayCount(); ++i)
        attached[i] = UpdateDisplayInfo(i);
    return attached;
}

// The display the window can stand on: the wanted one while it is attached, else the first
// one that is; with none attached, its last known rectangle is all there is.
int StandingDisplay(int wanted, const std::vector<bool>& attached) {
    if (attached[wanted])
        return wanted;
    for (int i = 0; i < static_cast<int>(attached.size()); ++i)
        if (attached[i])
            return i;
    return wanted;
}

// The display, the file and the system's reason each on a line of their own, between the two
// texts of the user's language.
std::string UnreadableRampMessage(const std::string& displayName, const std::string& fileName,
                                  const std::string& reason) {
    return LangText("ERampUnreadable") + "\r\n\r\n" + displayName + "\r\n" + fileName + "\r\n" +
           reason + "\r\n\r\n" + LangText("ERampCleared");
}

}  // namespace

bool TMainForm::FormCreate() {
    // Every layout centres on the selected display; with none there is nothing to stand on.
    if (Engine().DisplayCount() <= 0) {
        host_.ShowError(kNoDisplayMessage);
        return false;
    }
    InDpiChange = false;
    Engine().CurrentDisplay = 0;
    FillLanguageList();
    ApplyControlTexts();  // MoveToDisplay lays the page out
    host_.SetCaption(kProgramTitle);
    host_.SetTopmost(true);
    SaveDisplayRamps();  // before any correction of this run reaches the hardware
    if (onRampsCaptured)
        onRampsCaptured();
    if (onStartupStep)
        onStartupStep("ramps captured");
    // On disk too, for the next start to put back should this process be ended by force.
    const std::string dataFolder = GetDataFolder(kSubPath);
    sessionOpen_ = true;
    journalWritten_ = ForceFolders(dataFolder) && WriteSessionJournal(dataFolder);
    if (onStartupStep)
        onStartupStep("session file written");
    RestoreOnClose = true;
    HandlersEnabled = false;
    if (panelsCreated_)
        points_.posUpDown->SetPosition(Patterns().PointPos);
    LutOn = true;
    InstallProfileCheckBox->SetChecked(Settings().InstallProfile);

    DisplayState& engine = Engine();
    std::vector<std::string> unreadable;  // told once the window shows
    const std::vector<std::string> rampFiles = MatchRampFiles(dataFolder);
    for (int i = 0; i < engine.DisplayCount(); ++i) {
        std::string storedName;  // read and not needed
        const std::string& fileName = rampFiles[i];
        try {
            ReadRampFile(engine.Corrections[i], storedName, fileName);
        } catch (const InOutError& error) {
            // The user's calibration is there but out of reach (locked, no permission): OK
            // would overwrite it with the cleared record, so the user must hear of it.
            ClearCorrection(engine.Corrections[i]);
            unreadable.push_back(UnreadableRampMessage(DisplayName(i), fileName, error.what()));
        } catch (const std::exception&) {
            // A damaged file must not keep the window from opening: that display simply
            // starts uncorrected, and OK replaces the file with a good one.
            ClearCorrection(engine.Corrections[i]);
        }
    }

    DisplayComboBox->SetEnabled(engine.DisplayCount() > 1);
    FillDisplayList();
    MoveToDisplay(0);
    HandlersEnabled = true;
    host_.BringToTop();
    for (const std::string& message : unreadable)
        host_.ShowError(message);
    return true;
}

void TMainForm::MoveToDisplay(int index) {
    if (index < 0 || index >= Engine().DisplayCount())
        return;
    {
        HandlersPaused paused(HandlersEnabled);
        host_.Hide();
        SelectDisplay(index);
        CoverSelectedDisplay();
        RefreshEdits();
        ApplyToDisplay();
        ShowPage(CurrentPage());
    }
    host_.Show();
}

void TMainForm::CoverSelectedDisplay() {
    const ScreenRect& r = Engine().Displays[Engine().CurrentDisplay].info.monitor;
    host_.SetWindowBounds({r.left, r.top, r.right - r.left, r.bottom - r.top});
    LayOutBar();
}

int TMainForm::Scaled(int designPixels) const {
    return ScaledToDpi(designPixels, host_.Dpi());
}

int TMainForm::BarHeight() const {
    return Panel->GetBounds().height;
}
int TMainForm::BarTop() const {
    return host_.ClientHeight() - BarHeight();
}

// The display selector takes the bar's left half. The warning gets a row of its own across the
// whole bar, room for its three lines in every language at 96 and 144 dpi on a display 1024
// pixels wide; the tabs stay on top and the row of buttons at the bottom.
void TMainForm::LayOutBar() {
    const int display = Engine().CurrentDisplay;
    const bool refused = DisplayRefused(display);
    if (refused && !refusalShown_)
        gammaLimit_ = ReadGammaLimit();
    refusalShown_ = refused;
    const bool warn = refused || DisplayInAdvancedColor(display);
    const int row = warn ? Scaled(kWarningRowHeight) : 0;
    auto placeInRow = [&](Control& control, int designTop) {
        Bounds b = control.GetBounds();
        b.top = Scaled(designTop) + row;
        control.SetBounds(b);
    };
    Bounds combo = DisplayComboBox->GetBounds();
    // After its caption, which some languages need wider than the design's 55 pixels.
    const Bounds caption = MonitorLabel->GetBounds();
    combo.left = std::max(Scaled(kBarComboLeft), caption.left + caption.width + Scaled(4));
    combo.top = Scaled(kBarComboTop) + row;
    combo.width = host_.ClientWidth() / 2 - combo.left;
    DisplayComboBox->SetBounds(combo);
    placeInRow(*MonitorLabel, kBarLabelTop);
    for (Button* button : {ResetButton.get(), OffButton.get(), MinimizeButton.get(), OkButton.get(),
                           CancelButton.get()})
        placeInRow(*button, kBarButtonTop);
    const int left = Scaled(12), top = Scaled(kBarTabsHeight + 1);
    RefusedLabel->SetBounds({left, top, std::max(0, host_.ClientWidth() - left - Scaled(5)),
                             std::max(0, row - Scaled(1))});
    SetRefusalText();  // the display may be new
    RefusedLabel->SetVisible(warn);

    const int height = Scaled(kBarHeight) + row;
    if (BarHeight() == height)
        return;
    Panel->SetBounds({0, host_.ClientHeight() - height, host_.ClientWidth(), height});
    // What stands above the bar moves with its top; the edit being typed in keeps the focus.
    HandlersPaused paused(HandlersEnabled);
    LayOutPage(CurrentPage());
    if (onInvalidateBackdrop)
        onInvalidateBackdrop();
    host_.Invalidate();
}

void TMainForm::SetWindowBackground(Color color) {
    background_ = color;
    host_.SetBackground(color);
}

void TMainForm::ShowPage(int page) {
    if (page < 0 || page >= kPageCount)
        return;
    CurrentPage() = page;
    if (onInvalidateBackdrop)
        onInvalidateBackdrop();
    {
        HandlersPaused paused(HandlersEnabled);
        TabSet->SetTabIndex(page);
    }
    HandlersPaused paused(HandlersEnabled);
    const PageRow& row = kPages[page];
    if (row.panelCount > 0)
        CreateAdjustmentPanels();
    // What the page does not show goes; LayOutPage shows the rest in its place. A control the
    // page keeps is not hidden and shown again: that would repaint it twice and take the
    // keyboard focus from it.
    const bool welcome = row.extra == PageExtra::Welcome;
    if (!welcome)
        for (Control* c :
             {static_cast<Control*>(WelcomePanel.get()), static_cast<Control*>(LangPanel.get()),
              static_cast<Control*>(GammaSetupPanel.get())})
            c->SetVisible(false);
    if (row.extra != PageExtra::ReferenceFile)
        FileLabel->SetVisible(false);
    if (panelsCreated_)
        for (int i = 0; i < kAdjustmentCount; ++i)
            if (std::find(row.panels.begin(), row.panels.begin() + row.panelCount,
                          static_cast<Adjustment>(i)) == row.panels.begin() + row.panelCount)
                adjustments_[i].panel->SetVisible(false);
    SetWindowBackground(kBlack);
    HelpLabel->SetBounds({Scaled(70), 0, Scaled(300), Scaled(360)});
    HelpLabel->SetBackground(kBlack);
    HelpLabel->SetVisible(!welcome);
    LayOutPage(page);
    if (row.helpKey)
        HelpLabel->SetText(LangText(row.helpKey));
    host_.Invalidate();
}

void TMainForm::PlaceAboveBar(::Panel& panel, int left) {
    Bounds b = panel.GetBounds();
    b.left = left;
    b.top = BarTop() - b.height - Scaled(20);
    panel.SetBounds(b);
    panel.SetVisible(true);
}

void TMainForm::LayOutPage(int page) {
    const PageRow& row = kPages[page];
    if (row.background != kBlack) {
        SetWindowBackground(row.background);
        HelpLabel->SetBackground(row.background);
    }
    if (row.panelCount > 0) {
        // The centred panel first, then outwards: each panel keeps its gap to the one nearer
        // the centre.
        const int gap = Scaled(20);
        auto panel = [&](int i) -> ::Panel& { return *Adjust(row.panels[i]).panel; };
        ::Panel& centred = panel(row.centred);
        PlaceAboveBar(centred, CenterX(centred.GetBounds().width));
        for (int i = row.centred + 1; i < row.panelCount; ++i) {
            const Bounds left = panel(i - 1).GetBounds();
            PlaceAboveBar(panel(i), left.left + left.width + gap);
        }
        for (int i = row.centred - 1; i >= 0; --i)
            PlaceAboveBar(panel(i),
                          panel(i + 1).GetBounds().left - panel(i).GetBounds().width - gap);
    }
    switch (row.extra) {
        case PageExtra::Welcome:
            LayOutWelcome();
            break;
        case PageExtra::ReferenceFile:
            LayOutFileLabel();
            break;
        case PageExtra::None:
            break;
    }
}

void TMainForm::LayOutWelcome() {
    Bounds welcome = WelcomePanel->GetBounds();
    welcome.left = CenterX(welcome.width);
    welcome.top = CenterY(welcome.height);
    WelcomePanel->SetBounds(welcome);
    WelcomePanel->SetVisible(true);
    Bounds lang = LangPanel->GetBounds();
    Bounds setup = GammaSetupPanel->GetBounds();
    lang.left = host_.ClientWidth() - lang.width;
    lang.top = host_.ClientHeight() - BarHeight() - lang.height - setup.height - Scaled(4);
    LangPanel->SetBounds(lang);
    LangPanel->SetVisible(true);
    setup.left = host_.ClientWidth() - setup.width;
    setup.top = host_.ClientHeight() - BarHeight() - setup.height;
    GammaSetupPanel->SetBounds(setup);
    // Runs GammaSetupEditChange, which takes the value as shown (three decimals).
    GammaSetupEdit->SetText(FormatTargetGamma(Patterns().TargetGamma, host_.DecimalSeparator()));
    GammaSetupPanel->SetVisible(true);
    HelpLabel->SetVisible(false);
}

void TMainForm::LayOutFileLabel() {
    std::string& path = Settings().ReferenceImagePath;
    // A refused path is not even looked at: asking whether it exists would reach the host.
    if (!Settings().ReferenceImageRefused && !Files().FileExists(path))
        path = GetProgramFolder() + kReferenceImageFileName;
    FileLabel->SetText(FileLabelText(path));
    Bounds b = FileLabel->GetBounds();  // sized to the new text
    b.left = host_.ClientWidth() - b.width - Scaled(70);
    b.top = host_.ClientHeight() - b.height - BarHeight() - Scaled(4);
    FileLabel->SetBounds(b);
    FileLabel->SetVisible(true);
}

std::string TMainForm::FileLabelText(const std::string& path) const {
    if (!ReferenceImageProfileUnusable(path))
        return FileNamePart(path);
    return FileNamePart(path) + " (" + LangText("RefImageProfileUnusable") + ")";
}

void TMainForm::ApplyToDisplay() {
    OffButton->SetText(LangText("BOffLUT"));
    LutOn = true;
    ApplyCorrection(Engine().CurrentDisplay);
    LayOutBar();
    host_.Invalidate();
}

TCorrection& TMainForm::SelectedCorrection() {
    return Engine().Corrections.at(Engine().CurrentDisplay);
}

void TMainForm::RefreshEdits() {
    HandlersPaused paused(HandlersEnabled);
    if (panelsCreated_)
        RefreshPanels();
}

void TMainForm::RefreshPanels() {
    const TCorrection& c = SelectedCorrection();
    const int pos = Patterns().PointPos;
    for (int i = 0; i < kAdjustmentCount; ++i) {
        const AdjustmentRow& row = kAdjustments[i];
        AdjustmentControls& controls = adjustments_[i];
        if (i == static_cast<int>(Adjustment::Point))
            points_.checkBox->SetChecked(c.PointOn[pos] != 0);
        if (row.overall.Exists())
            controls.overall.upDown->SetPosition(row.overall.Of(c, pos));
        for (int k = 0; k < 3; ++k)
            controls.channels[k].upDown->SetPosition(row.channels[k].Of(c, pos));
    }
}

void TMainForm::HandleDpiChange(int newDpi) {
    if (InDpiChange || newDpi <= 0)
        return;
    InDpiChange = true;
    const int oldDpi = host_.Dpi();
    host_.ScaleControls(newDpi, oldDpi);
    if (panelsCreated_)
        FitPanelCaptions();  // measured again in the new font
    // The rectangle the message suggests is not used: the window stays on its display, which
    // the scale change may have come with a new rectangle for.
    HandleDisplayChange();
    InDpiChange = false;
}

void TMainForm::HandleDisplayChange() {
    DisplayState& engine = Engine();
    const int selected = engine.CurrentDisplay;
    if (InDisplayChange || selected < 0 || selected >= engine.DisplayCount())
        return;
    if (asking_) {
        // The question stays readable over the ramps the window found, which the system may
        // just have reset; the rest waits for the answer.
        displayChangedWhileAsking_ = true;
        RestoreDisplayRamps();
        return;
    }
    InDisplayChange = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{InDisplayChange};

    const std::vector<bool> attached = UpdateDisplays();
    const int target = StandingDisplay(selected, attached);
    // Under one gamma table for all displays (as on Wine's X servers) the last write is what
    // every display shows, so the selected display's own comes last.
    for (int i = 0; i < engine.DisplayCount(); ++i)
        if (i != target && attached[i])
            ApplyCorrection(i);
    if (target != selected) {
        {
            HandlersPaused paused(HandlersEnabled);
            DisplayComboBox->SetItemIndex(target);
        }
        MoveToDisplay(target);
        return;
    }
    HandlersPaused paused(HandlersEnabled);
    CoverSelectedDisplay();
    if (LutOn) {
        ApplyCorrection(selected);
    } else {
        SetDisplayLinear(selected);
        BuildRamp(SelectedCorrection(), engine.CurrentRamp);  // the graph still shows it
    }
    LayOutBar();  // the warning tells how the display took this write
    ShowPage(CurrentPage());
}

void TMainForm::FormMoved(const Bounds& windowBounds) {
    if (!HandlersEnabled || InDisplayChange || Engine().CurrentDisplay >= Engine().DisplayCount())
        return;
    const ScreenRect& r = Engine().Displays[Engine().CurrentDisplay].info.monitor;
    if (windowBounds != Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top})
        HandleDisplayChange();
}

void TMainForm::TabSetChange(int newTab) {
    if (HandlersEnabled)
        ShowPage(newTab);
}

void TMainForm::DisplayComboBoxChange() {
    const int chosen = DisplayComboBox->ItemIndex();
    if (chosen < 0 || chosen >= Engine().DisplayCount())
        return;
    // A display that is gone keeps the window where it is.
    const std::vector<bool> attached = UpdateDisplays();
    const int index =
        attached[chosen] ? chosen : StandingDisplay(Engine().CurrentDisplay, attached);
    if (index != chosen) {
        HandlersPaused paused(HandlersEnabled);
        DisplayComboBox->SetItemIndex(index);
    }
    MoveToDisplay(index);
}

void TMainForm::OkButtonClick() {
    RestoreOnClose = false;
    host_.Close();
}

void TMainForm::CancelButtonClick() {
    host_.Close();
}

void TMainForm::MinimizeButtonClick() {
    host_.SetTopmost(false);
    if (onHideBackdrop)
        onHideBackdrop();
    host_.MinimizeApplication();
}

void TMainForm::OffButtonClick() {
    if (LutOn) {
        OffButton->SetText(LangText("BOnLUT"));
        SetDisplayLinear(Engine().CurrentDisplay);
    } else {
        OffButton->SetText(LangText("BOffLUT"));
        ApplyCorrection(Engine().CurrentDisplay);
    }
    LutOn = !LutOn;
    LayOutBar();
}

void TMainForm::ResetButtonClick() {
    ClearCorrection(SelectedCorrection());
    RefreshEdits();
    ApplyToDisplay();
}

void TMainForm::FileLabelClick() {
    // The dialog would list a refused path's folder: it starts in the program's instead.
    std::string path = Settings().ReferenceImageRefused
                           ? GetProgramFolder() + kReferenceImageFileName
                           : Settings().ReferenceImagePath;
    if (ShowFileDialog(host_.Handle(), "jpg", LangText("RefDlgFiles") + " (*.jpg)|*.jpg",
                       FolderWithoutDelimiter(path), LangText("RefDlgTitle"), path)) {
        // What the user picks is opened, a network path too.
        Settings().ReferenceImagePath = path;
        Settings().ReferenceImageRefused = false;
        ShowPage(8);
    }
}

void TMainForm::AskDiscardAndClose() {
    // A correction can leave a display too dark or too bright to read anything on it; the
    // question is only readable with the ramps the window found put back.
    DisplayState& engine = Engine();
    std::vector<WrittenRamp> written(engine.DisplayCount());
    for (int i = 0; i < engine.DisplayCount(); ++i)
        written[i] = engine.Displays[i].written;
    RestoreDisplayRamps();
    asking_ = true;
    displayChangedWhileAsking_ = false;
    const bool discard =
        host_.AskYesNo(LangText("DiscardQuestion"), LangText("BYes"), LangText("BNo"));
    asking_ = false;
    // A close request or the session's end came meanwhile: the window has ended as on Cancel.
    if (!sessionOpen_)
        return;
    if (discard) {
        CancelButtonClick();
        return;
    }
    if (displayChangedWhileAsking_) {
        HandleDisplayChange();  // writes every display's correction, as after any such change
        return;
    }
    // What the window itself had written, through the verified write: a display that refuses
    // it shows the warning as after an edit. Under one gamma table for all displays the last
    // write is what every display shows, so the selected display's own comes last.
    auto writeBack = [&](int i) {
        if (written[i] == WrittenRamp::Correction)
            ApplyCorrection(i);
        else if (written[i] == WrittenRamp::Identity)
            SetDisplayLinear(i);
    };
    for (int i = 0; i < engine.DisplayCount(); ++i)
        if (i != engine.CurrentDisplay)
            writeBack(i);
    writeBack(engine.CurrentDisplay);
    BuildRamp(SelectedCorrection(), engine.CurrentRamp);  // the graph shows it, as before
    LayOutBar();
}

void TMainForm::FormKeyDown(int key, bool ctrl, bool shift) {
    if (key == kKeyEscape && !ctrl && !shift) {
        AskDiscardAndClose();
        return;
    }
    if (key != kKeyTab || !ctrl)
        return;
    const int current = TabSet->TabIndex();
    TabSet->SetTabIndex(shift ? (current + kPageCount - 1) % kPageCount
                              : (current + 1) % kPageCount);
}

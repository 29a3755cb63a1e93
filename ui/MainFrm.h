#pragma once
// The calibration window: a borderless, stay-on-top window covering the selected display,
// nine pages of test patterns (ui/Pages.h), and the panels that edit the selected display's
// correction.
// It reaches its controls and its native window only through ControlFactory and FormHost, so
// everything here runs natively in tests.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/GammaLimit.h"
#include "ramp/Correction.h"
#include "render/Canvas.h"
#include "ui/ControlFactory.h"
#include "ui/Controls.h"
#include "ui/Pages.h"

// The page shown, 0..8; the tab index equals it. Read by the painting of both windows.
int& CurrentPage();

// Exit code of the program when FormCreate finds no display to calibrate.
inline constexpr int kExitNoDisplay = 1;
inline constexpr const char* kNoDisplayMessage =
    "No display was found that Tonecast can calibrate. The program ends.";
inline constexpr int kKeyTab = 0x09;     // VK_TAB
inline constexpr int kKeyEscape = 0x1B;  // VK_ESCAPE
// The colour of the window's texts on the black pages.
inline constexpr Color kLabelGrey = Grey(128);

// The controls of one adjustment panel (see AdjustmentRow in ui/Pages.h).
struct AdjustmentControls {
    struct Value {
        std::unique_ptr<Label> label;  // the panel's title for the overall value
        std::unique_ptr<Edit> edit;
        std::unique_ptr<UpDown> upDown;
    };
    std::unique_ptr<::Panel> panel;
    Value overall;                  // only its title on the balance panel
    std::array<Value, 3> channels;  // R, G, B
    std::unique_ptr<Label> resetLabel;
    std::unique_ptr<Button> resetButton;
};

// The correction-points panel's column beside its values: the level and its neighbours.
struct PointColumn {
    std::unique_ptr<CheckBox> checkBox;
    std::unique_ptr<Label> posLabel;
    std::unique_ptr<Edit> posEdit;
    std::unique_ptr<UpDown> posUpDown;
    std::unique_ptr<Button> prev, next, clear;
};

class TMainForm {
public:
    // Creates the bar and the welcome page's controls at their design places and wires their
    // events; shows nothing yet. The adjustment panels come later (CreateAdjustmentPanels).
    TMainForm(ControlFactory& factory, FormHost& host);
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    // A window that goes without an orderly end (an error escaping to the message loop) puts
    // the captured ramps back as Cancel does.
    ~TMainForm();

    // False when there is no display: the message has been shown (FormHost::ShowError), no
    // ramp was touched, and the program is to end with kExitNoDisplay.
    bool FormCreate();
    // Creates the five adjustment panels, with the current language's texts, at the window's
    // dpi, showing the selected display's record; does nothing once they exist. The window's
    // host calls it once the first page has painted; before that, a page that shows a panel and
    // every name of a panel's control below make them first.
    void CreateAdjustmentPanels();
    // Every way of closing. True: the program may end, and the session file is gone. False: a
    // save on OK failed; the error has been shown, every saved file is as it was, the window
    // stays open and the next close (other than OK) restores.
    bool FormClose();
    // The user's session ends with the window open: the captured ramps go back, as on Cancel,
    // and the session file goes.
    void EndSession();
    // Fills the canvas with the window's background and paints the page's pattern.
    void FormPaint(Canvas& canvas);
    // False while the page shown is its background alone (the welcome page): the host may then
    // fill the window directly, without an off-screen bitmap, for the same pixels.
    bool PaintsPattern() const { return kPages[CurrentPage()].pattern != nullptr; }
    // Ctrl+Tab and Ctrl+Shift+Tab change the page, Escape asks whether to discard and close
    // (AskDiscardAndClose); the key is never consumed.
    void FormKeyDown(int key, bool ctrl, bool shift);
    void HandleDpiChange(int newDpi);
    // The system changed the displays (mode, monitors, scale): the window covers the selected
    // display's rectangle as it now is (or, when that display is gone, moves to the first one
    // still attached, as a switch does), and every display's correction is written again, since
    // the system resets the ramps. Nothing is saved.
    void HandleDisplayChange();
    // The window's rectangle after a move the form did not make itself (while its handlers are
    // enabled); any rectangle other than the selected display's is taken as a display change.
    void FormMoved(const Bounds& windowBounds);

    void MoveToDisplay(int index);
    void ShowPage(int page);
    void RefreshEdits();
    void ApplyTexts();
    // The user chose a language in the selector.
    void LangComboBoxChange();

    // The backdrop window, once the host has created it.
    std::function<void()> onInvalidateBackdrop;
    std::function<void()> onHideBackdrop;
    // Called once the ramps that closing restores have been captured (by FormCreate).
    std::function<void()> onRampsCaptured;
    // Called with the name of each step of FormCreate that start-up measurements tell apart.
    std::function<void(const char*)> onStartupStep;

    Color Background() const { return background_; }

    // Window state.
    bool HandlersEnabled = false;
    bool LutOn = false;
    bool RestoreOnClose = false;
    bool InDpiChange = false;

    // The bottom bar. (`::` because members carry their types' names.)
    std::unique_ptr<::Panel> Panel;
    std::unique_ptr<::TabSet> TabSet;
    std::unique_ptr<Label> MonitorLabel;
    std::unique_ptr<ComboBox> DisplayComboBox;
    std::unique_ptr<Button> ResetButton, OffButton, MinimizeButton, OkButton, CancelButton;
    std::unique_ptr<Label> RefusedLabel;  // red, a row of the bar above the display selector

    std::unique_ptr<Label> HelpLabel;
    std::unique_ptr<Label> FileLabel;

    std::unique_ptr<::Panel> WelcomePanel;
    std::unique_ptr<Label> WelcomeLabel;
    std::unique_ptr<Edit> WelcomeMemoText;
    // Whether OK also makes the saved profiles the displays' colour profiles (InstallProfile).
    std::unique_ptr<CheckBox> InstallProfileCheckBox;
    std::unique_ptr<Label> InstallProfileLabel;
    std::unique_ptr<::Panel> LangPanel;
    std::unique_ptr<Label> LangLabel;
    std::unique_ptr<ComboBox> LangComboBox;
    std::unique_ptr<::Panel> GammaSetupPanel;
    std::unique_ptr<Label> GammaSetupLabel;
    std::unique_ptr<Edit> GammaSetupEdit;

    // An adjustment panel's controls, made first when they do not exist yet.
    AdjustmentControls& Adjust(Adjustment kind);
    PointColumn& Points();
    // The panels' controls by their names.
    ::Panel& GammaPanel() { return *Adjust(Adjustment::Gamma).panel; }
    ::Panel& BlackPanel() { return *Adjust(Adjustment::Black).panel; }
    ::Panel& WhitePanel() { return *Adjust(Adjustment::White).panel; }
    ::Panel& BalancePanel() { return *Adjust(Adjustment::Balance).panel; }
    ::Panel& PointPanel() { return *Adjust(Adjustment::Point).panel; }
    Label& GammaLabel() { return *Adjust(Adjustment::Gamma).overall.label; }
    Label& BlackLabel() { return *Adjust(Adjustment::Black).overall.label; }
    Label& WhiteLabel() { return *Adjust(Adjustment::White).overall.label; }
    Label& BalanceLabel() { return *Adjust(Adjustment::Balance).overall.label; }
    Label& PointLabel() { return *Adjust(Adjustment::Point).overall.label; }
    Edit& GammaEdit() { return *Adjust(Adjustment::Gamma).overall.edit; }
    Edit& BlackEdit() { return *Adjust(Adjustment::Black).overall.edit; }
    Edit& WhiteEdit() { return *Adjust(Adjustment::White).overall.edit; }
    Edit& PointEdit() { return *Adjust(Adjustment::Point).overall.edit; }
    Edit& GammaREdit() { return *Adjust(Adjustment::Gamma).channels[0].edit; }
    Edit& GammaGEdit() { return *Adjust(Adjustment::Gamma).channels[1].edit; }
    Edit& GammaBEdit() { return *Adjust(Adjustment::Gamma).channels[2].edit; }
    Edit& BlackREdit() { return *Adjust(Adjustment::Black).channels[0].edit; }
    Edit& BlackGEdit() { return *Adjust(Adjustment::Black).channels[1].edit; }
    Edit& BlackBEdit() { return *Adjust(Adjustment::Black).channels[2].edit; }
    Edit& WhiteREdit() { return *Adjust(Adjustment::White).channels[0].edit; }
    Edit& WhiteGEdit() { return *Adjust(Adjustment::White).channels[1].edit; }
    Edit& WhiteBEdit() { return *Adjust(Adjustment::White).channels[2].edit; }
    Edit& BalanceREdit() { return *Adjust(Adjustment::Balance).channels[0].edit; }
    Edit& BalanceGEdit() { return *Adjust(Adjustment::Balance).channels[1].edit; }
    Edit& BalanceBEdit() { return *Adjust(Adjustment::Balance).channels[2].edit; }
    Edit& PointREdit() { return *Adjust(Adjustment::Point).channels[0].edit; }
    Edit& PointGEdit() { return *Adjust(Adjustment::Point).channels[1].edit; }
    Edit& PointBEdit() { return *Adjust(Adjustment::Point).channels[2].edit; }
    UpDown& GammaRUpDown() { return *Adjust(Adjustment::Gamma).channels[0].upDown; }
    Label& GammaResetLabel() { return *Adjust(Adjustment::Gamma).resetLabel; }
    Label& BlackResetLabel() { return *Adjust(Adjustment::Black).resetLabel; }
    Label& WhiteResetLabel() { return *Adjust(Adjustment::White).resetLabel; }
    Label& BalanceResetLabel() { return *Adjust(Adjustment::Balance).resetLabel; }
    Label& PointResetLabel() { return *Adjust(Adjustment::Point).resetLabel; }
    Button& BlackResetButton() { return *Adjust(Adjustment::Black).resetButton; }
    Button& BalanceResetButton() { return *Adjust(Adjustment::Balance).resetButton; }
    Button& PointResetButton() { return *Adjust(Adjustment::Point).resetButton; }
    CheckBox& PointCheckBox() { return *Points().checkBox; }
    Label& PointPosLabel() { return *Points().posLabel; }
    Edit& PointPosEdit() { return *Points().posEdit; }
    UpDown& PointPosUpDown() { return *Points().posUpDown; }
    Button& PointPrevButton() { return *Points().prev; }
    Button& PointNextButton() { return *Points().next; }
    Button& PointClearButton() { return *Points().clear; }

private:
    // The bottom bar at 96 dpi: the tab strip on top, then the row of the display selector
    // and the buttons. While the selected display refuses its ramp, a warning row of three
    // lines stands between them and the bar grows by it, the row keeping its place at the
    // bottom.
    static constexpr int kBarHeight = 53;
    static constexpr int kBarTabsHeight = 25;
    static constexpr int kBarLabelTop = 33;
    static constexpr int kBarComboTop = 29;
    static constexpr int kBarComboLeft = 71;  // at least; after the display list's caption
    static constexpr int kBarButtonTop = 28;
    static constexpr int kWarningRowHeight = 41;
    void CreateBar();
    void CreateWelcomeControls();
    void CreateAdjustmentPanel(Adjustment kind);
    void CreatePointColumn();
    void WireEvents();
    void ApplyControlTexts();
    void ApplyPanelTexts();
    void FitPanelCaptions();
    // The refusal warning's words for what the registry said when it last showed.
    void SetRefusalText();
    void RefreshPanels();

    // Puts the captured ramps back while it asks "Discard the changes and close?": Yes (the
    // default) is exactly Cancel, No puts back what the window had written to each display.
    // A close request meanwhile ends the window as Cancel does; a display change only puts the
    // captured ramps back again, and after No it is handled as any display change.
    void AskDiscardAndClose();
    // After a save with InstallProfile on: the saved profiles become the displays' own; a
    // display the system refused is told.
    void InstallProfiles(const std::string& dataFolder);
    // The session's end, whichever way: the session file goes.
    void EndCalibrationSession();
    void ApplyToDisplay();
    void FillLanguageList();
    // One item per display, by its name in the current language; the choice stays.
    void FillDisplayList();

    // Event handlers, wired to the controls when these are made.
    void TabSetChange(int newTab);
    void DisplayComboBoxChange();
    void OkButtonClick();
    void CancelButtonClick();
    void MinimizeButtonClick();
    void OffButtonClick();
    void ResetButtonClick();
    void FileLabelClick();
    void AdjustmentChange(Adjustment kind);
    void AdjustmentResetClick(Adjustment kind);
    void PointPosEditChange();
    void PointCheckBoxClick();
    void PointNextButtonClick();
    void PointPrevButtonClick();
    void PointClearButtonClick();
    void GammaSetupEditChange();

    TCorrection& SelectedCorrection();
    int Scaled(int designPixels) const;  // design pixels at 96 dpi -> the window's dpi
    int BarHeight() const;
    int BarTop() const;
    void SetWindowBackground(Color color);
    void CoverSelectedDisplay();
    // Places the display selector and shows the warning while the selected display's last
    // write was refused or it is in HDR; the page follows when the bar's height changes.
    void LayOutBar();
    void LayOutPage(int page);
    void LayOutWelcome();
    void LayOutFileLabel();
    // The file name of the reference image, with a note when the page could not use the colour
    // profile the file carries.
    std::string FileLabelText(const std::string& path) const;
    void PlaceAboveBar(::Panel& panel, int left);

    ControlFactory& factory_;
    FormHost& host_;
    Color background_ = kBlack;
    bool InDisplayChange = false;
    bool sessionOpen_ = false;     // from the capture of the ramps to the window's end
    bool journalWritten_ = false;  // this window's session file is on the disk
    bool asking_ = false;          // the discard question is up
    bool displayChangedWhileAsking_ = false;
    bool textsApplied_ = false;  // the language's texts replace the design texts
    bool refusalShown_ = false;
    // Read each time the warning appears: the user may lift the limit while the window is open.
    GammaLimit gammaLimit_ = GammaLimit::InForce;
    bool panelsCreated_ = false;
    std::array<AdjustmentControls, kAdjustmentCount> adjustments_;
    PointColumn points_;
};

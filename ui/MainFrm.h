#pragma once
// The calibration window: a borderless, stay-on-top window covering the selected display,
// nine pages of test patterns, and the panels that edit the selected display's correction.
// It reaches its controls and its native window only through ControlFactory and FormHost, so
// everything here runs natively in tests.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ramp/Correction.h"
#include "render/Canvas.h"
#include "ui/ControlFactory.h"
#include "ui/Controls.h"

// The page shown, 0..8; the tab index equals it. Read by the painting of both windows.
int& CurrentPage();

inline constexpr int kPageCount = 9;
// Exit code of the program when FormCreate finds no display to calibrate.
inline constexpr int kExitNoDisplay = 1;
inline constexpr const char* kNoDisplayMessage =
    "No display was found that Tonecast can calibrate. The program ends.";
inline constexpr int kKeyTab = 0x09;     // VK_TAB
inline constexpr int kKeyEscape = 0x1B;  // VK_ESCAPE
// The colour of the window's texts on the black pages.
inline constexpr Color kLabelGrey = Grey(128);

class TMainForm {
public:
    // Creates every control at its design place and wires the events; shows nothing yet.
    TMainForm(ControlFactory& factory, FormHost& host);
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // False when there is no display: the message has been shown (FormHost::ShowError), no
    // ramp was touched, and the program is to end with kExitNoDisplay.
    bool FormCreate();
    // Every way of closing. True: the program may end. False: a save on OK failed; the error
    // has been shown, the window stays open and the next close (other than OK) restores.
    bool FormClose();
    // Fills the canvas with the window's background and paints the page's pattern.
    void FormPaint(Canvas& canvas);
    // Ctrl+Tab and Ctrl+Shift+Tab change the page, Escape asks whether to discard and close
    // (AskDiscardAndClose); the key is never consumed.
    void FormKeyDown(int key, bool ctrl, bool shift);
    // Puts the captured ramps back while it asks "Discard the changes and close?": Yes (the
    // default) is exactly Cancel, No puts back what every display showed before.
    void AskDiscardAndClose();
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
    void ApplyToDisplay();
    void RefreshEdits();
    void ApplyTexts();
    void FillLanguageList();

    // Event handlers, wired to the controls by the constructor.
    void TabSetChange(int newTab);
    void DisplayComboBoxChange();
    void OkButtonClick();
    void CancelButtonClick();
    void MinimizeButtonClick();
    void OffButtonClick();
    void ResetButtonClick();
    void FileLabelClick();
    void LangComboBoxChange();
    void GammaChange();
    void BlackChange();
    void WhiteChange();
    void BalanceChange();
    void GammaResetButtonClick();
    void BlackResetButtonClick();
    void WhiteResetButtonClick();
    void BalanceResetButtonClick();
    void PointResetButtonClick();
    void PointPosEditChange();
    void PointEditChange();
    void PointCheckBoxClick();
    void PointNextButtonClick();
    void PointPrevButtonClick();
    void PointClearButtonClick();
    void GammaSetupEditChange();

    // The backdrop window, once the host has created it.
    std::function<void()> onInvalidateBackdrop;
    std::function<void()> onHideBackdrop;
    // Called once the ramps that closing restores have been captured (by FormCreate).
    std::function<void()> onRampsCaptured;

    Color Background() const { return background_; }

    // Window state.
    bool HandlersEnabled = false;
    bool LutOn = false;
    bool RestoreOnClose = false;
    bool InDpiChange = false;
    bool InDisplayChange = false;

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
    std::unique_ptr<::Panel> LangPanel;
    std::unique_ptr<Label> LangLabel;
    std::unique_ptr<ComboBox> LangComboBox;
    std::unique_ptr<::Panel> GammaSetupPanel;
    std::unique_ptr<Label> GammaSetupLabel;
    std::unique_ptr<Edit> GammaSetupEdit;

    std::unique_ptr<::Panel> GammaPanel;
    std::unique_ptr<Label> GammaLabel, GammaRLabel, GammaGLabel, GammaBLabel, GammaResetLabel;
    std::unique_ptr<Edit> GammaEdit, GammaREdit, GammaGEdit, GammaBEdit;
    std::unique_ptr<UpDown> GammaUpDown, GammaRUpDown, GammaGUpDown, GammaBUpDown;
    std::unique_ptr<Button> GammaResetButton;

    std::unique_ptr<::Panel> BlackPanel;
    std::unique_ptr<Label> BlackLabel, BlackRLabel, BlackGLabel, BlackBLabel, BlackResetLabel;
    std::unique_ptr<Edit> BlackEdit, BlackREdit, BlackGEdit, BlackBEdit;
    std::unique_ptr<UpDown> BlackUpDown, BlackRUpDown, BlackGUpDown, BlackBUpDown;
    std::unique_ptr<Button> BlackResetButton;

    std::unique_ptr<::Panel> WhitePanel;
    std::unique_ptr<Label> WhiteLabel, WhiteRLabel, WhiteGLabel, WhiteBLabel, WhiteResetLabel;
    std::unique_ptr<Edit> WhiteEdit, WhiteREdit, WhiteGEdit, WhiteBEdit;
    std::unique_ptr<UpDown> WhiteUpDown, WhiteRUpDown, WhiteGUpDown, WhiteBUpDown;
    std::unique_ptr<Button> WhiteResetButton;

    std::unique_ptr<::Panel> BalancePanel;
    std::unique_ptr<Label> BalanceLabel, BalanceRLabel, BalanceGLabel, BalanceBLabel,
        BalanceResetLabel;
    std::unique_ptr<Edit> BalanceREdit, BalanceGEdit, BalanceBEdit;
    std::unique_ptr<UpDown> BalanceRUpDown, BalanceGUpDown, BalanceBUpDown;
    std::unique_ptr<Button> BalanceResetButton;

    std::unique_ptr<::Panel> PointPanel;
    std::unique_ptr<Label> PointLabel, PointRLabel, PointGLabel, PointBLabel, PointResetLabel;
    std::unique_ptr<Edit> PointEdit, PointREdit, PointGEdit, PointBEdit;
    std::unique_ptr<UpDown> PointUpDown, PointRUpDown, PointGUpDown, PointBUpDown;
    std::unique_ptr<Button> PointResetButton;
    std::unique_ptr<CheckBox> PointCheckBox;
    std::unique_ptr<Label> PointPosLabel;
    std::unique_ptr<Edit> PointPosEdit;
    std::unique_ptr<UpDown> PointPosUpDown;
    std::unique_ptr<Button> PointPrevButton, PointNextButton, PointClearButton;

private:
    // The bottom bar at 96 dpi: the tab strip on top, then the row of the display selector
    // and the buttons. While the selected display refuses its ramp, a warning row of three
    // lines stands between them and the bar grows by it, the row keeping its place at the
    // bottom.
    static constexpr int kBarHeight = 53;
    static constexpr int kBarTabsHeight = 25;
    static constexpr int kBarLabelTop = 33;
    static constexpr int kBarComboTop = 29;
    static constexpr int kBarButtonTop = 28;
    static constexpr int kWarningRowHeight = 41;

    // The controls of one adjustment panel, by reference to the members above.
    struct AdjustmentPanelSlots;
    void CreateBar();
    void CreateWelcomeControls();
    void CreateAdjustmentPanel(AdjustmentPanelSlots slots);
    void CreatePointColumn();
    void WireEvents();

    TCorrection& SelectedCorrection();
    int Scaled(int designPixels) const;  // design pixels at 96 dpi -> the window's dpi
    int BarHeight() const;
    int BarTop() const;
    void SetWindowBackground(Color color);
    void CoverSelectedDisplay();
    // Places the display selector and shows the refusal warning while the selected display's
    // last write was refused; the page follows when the bar's height changes.
    void LayOutBar();
    void LayOutPage(int page);
    void PlaceAboveBar(::Panel& panel, int left);
    void StoreFourValues(UpDown& overall, UpDown& r, UpDown& g, UpDown& b,
                         std::int32_t& overallField, std::int32_t& rField, std::int32_t& gField,
                         std::int32_t& bField);

    ControlFactory& factory_;
    FormHost& host_;
    Color background_ = kBlack;
};

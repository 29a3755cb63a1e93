#pragma once
// How the calibration window creates its controls and reaches its own native window.
// Win32: thin wrappers (win32/); tests: in-memory controls (tests/fakes/).

#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

struct ControlArgs {
    Control* parent = nullptr;  // nullptr: the window itself
    Bounds bounds;              // design size at 96 dpi
    std::string text;
    Align align = Align::None;  // kept by the host whenever the parent's size changes
};

struct LabelArgs : ControlArgs {
    Color textColor = Grey(128);
    bool transparent = false;
    bool wordWrap = false;
    bool bold = false;
    int pointSize = 8;
    bool link = false;      // underlined, hand cursor
    bool autoSize = false;  // sized to its text
    bool hidden = false;    // made hidden, for a page or a state to show
};

struct PanelArgs : ControlArgs {
    Color background = kBlack;
    bool windowBackground = false;  // follows FormHost::SetBackground instead of `background`
};

struct ButtonArgs : ControlArgs {
    bool flat = false;     // flat bar buttons take no keyboard focus
    int rightAnchor = -1;  // >= 0: keeps this distance to the parent's right edge
};

struct CheckBoxArgs : ControlArgs {};

struct EditArgs : ControlArgs {
    bool customColors = false;  // use background/textColor instead of the normal colours
    Color background = kWhite;
    Color textColor = kBlack;
    bool multiLine = false;  // word-wrapped, read-only, borderless, disabled memo
};

struct UpDownArgs : ControlArgs {
    Edit* buddy = nullptr;  // attached to the buddy's right edge
    int min = -100;
    int max = 100;
};

struct ComboBoxArgs : ControlArgs {};  // drop-down list

struct TabSetArgs : ControlArgs {
    std::vector<std::string> tabs;
};

class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    virtual std::unique_ptr<Label> CreateLabel(const LabelArgs& args) = 0;
    virtual std::unique_ptr<Panel> CreatePanel(const PanelArgs& args) = 0;
    virtual std::unique_ptr<Button> CreateButton(const ButtonArgs& args) = 0;
    virtual std::unique_ptr<CheckBox> CreateCheckBox(const CheckBoxArgs& args) = 0;
    virtual std::unique_ptr<Edit> CreateEdit(const EditArgs& args) = 0;
    virtual std::unique_ptr<UpDown> CreateUpDown(const UpDownArgs& args) = 0;
    virtual std::unique_ptr<ComboBox> CreateComboBox(const ComboBoxArgs& args) = 0;
    virtual std::unique_ptr<TabSet> CreateTabSet(const TabSetArgs& args) = 0;
};

// The calibration window's own native window. It does not own the TMainForm: the code that runs
// the window makes the form, attaches it to the host and calls TMainForm::FormCreate (false: end
// the program with kExitNoDisplay of ui/MainFrm.h; the message has been shown). The host routes
// to the attached form: any close request (Close(), the system's close key, WM_CLOSE) ->
// TMainForm::FormClose (the window is destroyed and the program ends only when it returns true),
// WM_PAINT -> FormPaint, key presses seen before the focused control -> FormKeyDown (then passed
// on), WM_DPICHANGED -> HandleDpiChange(LOWORD(wParam)), WM_DISPLAYCHANGE ->
// HandleDisplayChange, a move of the shown, not minimized window -> FormMoved(its rectangle).
class FormHost {
public:
    virtual ~FormHost() = default;
    virtual void SetWindowBounds(const Bounds& desktopBounds) = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Invalidate() = 0;
    virtual void SetBackground(Color color) = 0;  // also of panels with windowBackground
    virtual void SetCaption(const std::string& caption) = 0;  // window and application title
    virtual void SetTopmost(bool topmost) = 0;
    virtual void BringToTop() = 0;  // top of the z-order, bounds applied again
    virtual void MinimizeApplication() = 0;
    virtual void Close() = 0;  // a close request, as above
    virtual int Dpi() const = 0;
    // Records newDpi as the window's pixels per inch and scales every control's bounds (and
    // fonts) by newDpi / oldDpi; aligned and anchored controls keep their rules.
    virtual void ScaleControls(int newDpi, int oldDpi) = 0;
    virtual void Beep() = 0;
    virtual void ShowError(const std::string& message) = 0;  // the standard error box (modal)
    virtual std::uintptr_t Handle() const = 0;
    // The user's locale decimal separator (LOCALE_SDECIMAL), for the target-gamma edit.
    virtual char DecimalSeparator() const { return '.'; }
    // A modal Yes/No question box drawn by the system above the window, its two buttons saying
    // `yes` and `no`, Yes the default button; true for Yes (a host that cannot ask takes the
    // default).
    virtual bool AskYesNo(const std::string&, const std::string&, const std::string&) {
        return true;
    }
};

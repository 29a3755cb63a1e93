#pragma once
// Thin wrappers over the Win32 controls of the calibration window. Each wrapper owns its HWND
// and finds itself again from the HWND (a window property), so that the parent's window
// procedure can hand WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_SETCURSOR to the control
// they concern: see RouteToControl.

#include <windows.h>

#include <memory>
#include <string>

#include "ui/ControlFactory.h"
#include "win32/Win32Color.h"

// The class of the plain child windows behind Panel; registered once per process.
inline constexpr const char* kPanelClassName = "TonecastPanel";
bool RegisterPanelClass(HINSTANCE instance);

// The colour a window paints behind its transparent children (panels, the main window).
void SetWindowBackground(HWND window, Color color);
// A panel that takes the colour of its top-level window rather than its own.
void FollowRootBackground(HWND window);
Color WindowBackground(HWND window);

// Tahoma at `points` for `dpi`; shared and kept for the life of the process.
HFONT ControlFont(int points, bool bold, bool underline, int dpi);

// What a parent window procedure asks of the wrapper of one of its children.
class Win32ControlBase {
public:
    virtual ~Win32ControlBase() = default;
    HWND Hwnd() const { return hwnd_; }

    virtual void OnCommand(int /*code*/) {}
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // The brush to paint the control with, after setting the DC's colours; nullptr: default.
    virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }
    virtual bool OnSetCursor() { return false; }
    // The parent's client area has a new size; aligned and right-anchored controls follow it.
    virtual void OnParentResized(int parentWidth, int parentHeight);
    // A transparent control shows its parent's painting through it.
    virtual bool IsTransparent() const { return false; }
    // Bounds, font and any pixel distances by newDpi / oldDpi.
    virtual void Scale(int newDpi, int oldDpi);

    static Win32ControlBase* FromHwnd(HWND hwnd);

protected:
    void Attach(HWND hwnd);  // remembers hwnd and marks it as ours
    void DestroyOwnWindow();
    HWND hwnd_ = nullptr;
    Align align_ = Align::None;
    int dpi_ = 96;  // the DPI the control's font and bounds are meant for
    int fontPoints_ = 8;
    bool fontBold_ = false;
    bool fontUnderline_ = false;
    void ApplyFont();
};

// For a parent's window procedure: true when the message concerned one of our controls and
// `result` is the answer to return.
bool RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Moves every aligned or right-anchored child of `parent` after its client area changed.
void LayOutAnchoredChildren(HWND parent);

// Rescales every descendant of `window` that is one of our controls.
void ScaleDescendants(HWND window, int newDpi, int oldDpi);

// Creates the wrappers, each a child of the given native window when ControlArgs::parent is
// nullptr. Design bounds (96 dpi) are scaled to the host's present DPI.
class Win32ControlFactory : public ControlFactory {
public:
    Win32ControlFactory(HWND window, const FormHost& host) : window_(window), host_(host) {}

    std::unique_ptr<Label> CreateLabel(const LabelArgs& args) override;
    std::unique_ptr<Panel> CreatePanel(const PanelArgs& args) override;
    std::unique_ptr<Button> CreateButton(const ButtonArgs& args) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const CheckBoxArgs& args) override;
    std::unique_ptr<Edit> CreateEdit(const EditArgs& args) override;
    std::unique_ptr<UpDown> CreateUpDown(const UpDownArgs& args) override;
    std::unique_ptr<ComboBox> CreateComboBox(const ComboBoxArgs& args) override;
    std::unique_ptr<TabSet> CreateTabSet(const TabSetArgs& args) override;

private:
    HWND ParentOf(const ControlArgs& args) const;
    HWND window_;
    const FormHost& host_;
};

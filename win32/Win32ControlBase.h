#pragma once
// The common part of the thin wrappers over the Win32 controls of the calibration window.
// Each wrapper owns its HWND and finds itself again from the HWND, so that the parent's window
// procedure can hand WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR* and WM_SETCURSOR to the control they
// concern (see RouteToControl); and it sees the window's own messages before the control's
// class does (OnWindowMessage).

#include <windows.h>

#include <string>

#include "ui/ControlFactory.h"
#include "win32/Win32ControlLayout.h"
#include "win32/Win32Text.h"

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
    void OnParentResized(int parentWidth, int parentHeight);
    // A transparent control shows its parent's painting through it.
    virtual bool IsTransparent() const { return false; }
    // Bounds, font and any pixel distances by newDpi / oldDpi.
    virtual void Scale(int newDpi, int oldDpi);

    static Win32ControlBase* FromHwnd(HWND hwnd);

protected:
    // Where `b` goes in a parent client area of that size: aligned controls span its width.
    virtual Bounds AnchoredBounds(const Bounds& b, int parentWidth, int parentHeight) const;
    void Attach(HWND hwnd);  // remembers hwnd and marks it as ours
    // A message of the control's own window; true, with `result`, when the wrapper handled it.
    // The window is gone once the call returns if the message destroyed it.
    virtual bool OnWindowMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                 LRESULT& /*result*/) {
        return false;
    }
    // The control class's own handling of a message.
    LRESULT CallClassProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyOwnWindow();
    // True while hwnd_ is still the window this wrapper made (see DestroyOwnWindow).
    bool OwnsWindow() const;
    HWND hwnd_ = nullptr;
    Align align_ = Align::None;
    int dpi_ = 96;  // the DPI the control's font and bounds are meant for
    int fontPoints_ = 8;
    bool fontBold_ = false;
    bool fontUnderline_ = false;
    void ApplyFont();

private:
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC classProcedure_ = nullptr;
};

// A window's whole text.
std::string WindowText(HWND window);

inline HINSTANCE InstanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// A control's design bounds (96 dpi) in pixels at `dpi`.
inline Bounds Design(const ControlArgs& args, int dpi) {
    return ScaledBounds(args.bounds, dpi, 96);
}

// The Control members, the same for every wrapper.
template <class Interface>
class Win32Control : public Interface, public Win32ControlBase {
public:
    ~Win32Control() override { DestroyOwnWindow(); }

    void SetBounds(const Bounds& b) override { MoveIfChanged(hwnd_, b); }
    Bounds GetBounds() const override { return BoundsInParent(hwnd_); }
    void SetVisible(bool visible) override {
        if (visible == IsVisible())
            return;
        // Keys must not go on editing a control the user can no longer see (a page switch
        // hides the panel whose edit had the focus): the window itself takes the focus.
        if (!visible) {
            HWND focus = GetFocus();
            if (focus && (focus == hwnd_ || IsChild(hwnd_, focus)))
                SetFocus(GetAncestor(hwnd_, GA_ROOT));
        }
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    }
    bool IsVisible() const override {
        return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled); }
    bool IsEnabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    // Giving a window the text it shows still costs a round trip and a repaint, as moving it
    // onto its own place does: the layouts repeat most texts, so only a change reaches it.
    void SetText(const std::string& text) override {
        if (text != GetText())
            SetWindowTextW(hwnd_, Widen(text).c_str());
    }
    std::string GetText() const override { return WindowText(hwnd_); }

protected:
    // `b` in pixels at `dpi`.
    void Create(const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle,
                HWND parent, const Bounds& b, int dpi, Align align) {
        dpi_ = dpi;
        align_ = align;
        // Made where its anchors put it: moved there afterwards, each control would cost the
        // window manager a move, and the parent a repaint.
        RECT client{};
        GetClientRect(parent, &client);
        const Bounds at = client.right > 0 ? AnchoredBounds(b, client.right, client.bottom) : b;
        HWND hwnd = CreateWindowExW(exStyle, className, Widen(text).c_str(),
                                    WS_CHILD | WS_CLIPSIBLINGS | style, at.left, at.top, at.width,
                                    at.height, parent, nullptr, InstanceOf(parent), nullptr);
        Attach(hwnd);
    }
};

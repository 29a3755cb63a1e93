#include "win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "render/Canvas.h"
#include "win32/Win32Color.h"
#include "win32/Win32ControlBase.h"
#include "win32/Win32ControlFonts.h"
#include "win32/Win32EditControls.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Panel.h"
#include "win32/Win32WindowBackground.h"

namespace {

// A drop-down list's window height is the height of its open list; the closed field takes
// its height from the font.
constexpr int kDropDownHeight = 200;

// ---- Label ----

class Win32Label : public Win32Control<Label> {
public:
    Win32Label(HWND parent, const LabelArgs& args, int dpi)
        : textColor_(args.textColor),
          transparent_(args.transparent),
          link_(args.link),
          autoSize_(args.autoSize),
          wordWrap_(args.wordWrap) {
        fontPoints_ = args.pointSize;
        fontBold_ = args.bold;
        fontUnderline_ = args.link;
        DWORD style =
            (args.hidden ? 0 : WS_VISIBLE) | (args.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
        // A file name may hold '&'; and only a notifying static receives the mouse.
        if (args.link)
            style |= SS_NOTIFY | SS_NOPREFIX;
        Create(WC_STATICW, args.text, style, 0, parent, Design(args, dpi), dpi, args.align);
        if (autoSize_)
            FitToText();
    }

    void SetText(const std::string& text) override {
        if (text == GetText())
            return;
        // Nothing erases a transparent label's old text but its parent's painting.
        if (transparent_)
            InvalidateUnderneath();
        SetWindowTextW(hwnd_, Widen(text).c_str());
        if (autoSize_)
            FitToText();
        if (transparent_)
            InvalidateUnderneath();
    }

    void SetBackground(Color color) override {
        if (color == background_)
            return;
        background_ = color;
        if (!transparent_)
            InvalidateIfShown(hwnd_);
    }

    HBRUSH OnCtlColor(HDC dc) override {
        SetTextColor(dc, ToColorRef(textColor_));
        if (transparent_) {
            SetBkMode(dc, TRANSPARENT);
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        }
        SetBkColor(dc, ToColorRef(background_));
        return SolidBrush(background_);
    }

    void OnCommand(int code) override {
        if (code == STN_CLICKED && onClick)
            onClick();
    }

    bool IsTransparent() const override { return transparent_; }

    Bounds TextBounds() const override {
        RECT client{};
        GetClientRect(hwnd_, &client);
        const RECT text = MeasureText(wordWrap_ ? client.right : 0);
        const Bounds b = GetBounds();
        return {b.left, b.top, std::min(text.right, client.right),
                std::min(text.bottom, client.bottom)};
    }

    bool OnSetCursor() override {
        if (!link_)
            return false;
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return true;
    }

    void Scale(int newDpi, int oldDpi) override {
        Win32ControlBase::Scale(newDpi, oldDpi);
        if (autoSize_)
            FitToText();
    }

private:
    void InvalidateUnderneath() {
        if (!IsWindowVisible(hwnd_))
            return;  // a label off the screen left nothing there to erase
        const Bounds b = BoundsInParent(hwnd_);
        RECT rect{b.left, b.top, b.left + b.width, b.top + b.height};
        InvalidateRect(GetParent(hwnd_), &rect, TRUE);
    }

    // The text's extent as the static draws it: broken into lines of `wrapWidth` when the
    // label wraps, on one line otherwise.
    RECT MeasureText(int wrapWidth) const {
        const WindowDC dc(hwnd_);
        const SelectedObject font(dc.get(),
                                  ControlFont(fontPoints_, fontBold_, fontUnderline_, dpi_));
        const std::wstring text = Widen(GetText());
        RECT rect{0, 0, wrapWidth, 0};
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CALCRECT | (link_ ? DT_NOPREFIX : 0) |
                      (wordWrap_ ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE));
        return rect;
    }

    void FitToText() {
        const RECT rect = MeasureText(0);
        SetWindowPos(hwnd_, nullptr, 0, 0, rect.right, rect.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    Color textColor_;
    Color background_ = kBlack;
    bool transparent_;
    bool link_;
    bool autoSize_;
    bool wordWrap_;
};

// ---- Button ----

class Win32Button : public Win32Control<Button> {
public:
    Win32Button(HWND parent, const ButtonArgs& args, int dpi)
        : rightAnchor_(args.rightAnchor < 0 ? -1 : ScaledToDpi(args.rightAnchor, dpi)),
          flat_(args.flat) {
        const DWORD style =
            WS_VISIBLE | BS_PUSHBUTTON | (args.flat ? static_cast<DWORD>(BS_FLAT) : WS_TABSTOP);
        Create(WC_BUTTONW, args.text, style, 0, parent, Design(args, dpi), dpi, args.align);
    }

    // A bar button acts on a click but leaves the keyboard focus where it was: the button
    // takes the focus on the press (it needs it to see the release as a click), and hands it
    // back once the click has been handled.
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (!flat_)
            return false;
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
            HWND focus = GetFocus();
            focusBeforeClick_ = focus == hwnd_ ? nullptr : focus;
            return false;
        }
        if (message != WM_LBUTTONUP)
            return false;
        HWND self = hwnd_;
        HWND before = focusBeforeClick_;
        focusBeforeClick_ = nullptr;
        HWND root = GetAncestor(self, GA_ROOT);
        result = CallClassProcedure(message, wParam, lParam);
        // The click may have closed the window, and this wrapper with it; then there is
        // nothing to give back.
        if (IsWindow(self) && GetFocus() == self)
            SetFocus(before && IsWindow(before) ? before : root);
        return true;
    }

    void OnCommand(int code) override {
        if (code == BN_CLICKED && onClick)
            onClick();
    }

    Bounds AnchoredBounds(const Bounds& b, int parentWidth, int parentHeight) const override {
        if (rightAnchor_ < 0)
            return Win32ControlBase::AnchoredBounds(b, parentWidth, parentHeight);
        return {parentWidth - rightAnchor_ - b.width, b.top, b.width, b.height};
    }

    void Scale(int newDpi, int oldDpi) override {
        if (rightAnchor_ >= 0)
            rightAnchor_ = ScaledToDpi(rightAnchor_, newDpi, oldDpi);
        Win32ControlBase::Scale(newDpi, oldDpi);
    }

private:
    int rightAnchor_;
    bool flat_;
    HWND focusBeforeClick_ = nullptr;
};

// ---- CheckBox ----

class Win32CheckBox : public Win32Control<CheckBox> {
public:
    Win32CheckBox(HWND parent, const CheckBoxArgs& args, int dpi) {
        Create(WC_BUTTONW, args.text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent,
               Design(args, dpi), dpi, args.align);
    }

    bool IsChecked() const override {
        return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // BM_SETCHECK is silent; the window's logic expects a click event for every change of the
    // state, as a user's click gives.
    void SetChecked(bool checked) override {
        if (checked == IsChecked())
            return;
        SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (onClick)
            onClick();
    }

    void OnCommand(int code) override {
        if (code == BN_CLICKED && onClick)
            onClick();
    }

    HBRUSH OnCtlColor(HDC dc) override {
        const Color background = WindowBackground(GetParent(hwnd_));
        SetTextColor(dc, ToColorRef(Grey(128)));
        SetBkColor(dc, ToColorRef(background));
        return SolidBrush(background);
    }
};

// ---- ComboBox ----

class Win32ComboBox : public Win32Control<ComboBox> {
public:
    Win32ComboBox(HWND parent, const ComboBoxArgs& args, int dpi) {
        Bounds b = Design(args, dpi);
        b.height = ScaledToDpi(kDropDownHeight, dpi);
        // The open list shows all items up to its height either way; rounding that height to
        // whole items costs the list window a resize on every font and move under Wine.
        Create(WC_COMBOBOXW, "",
               WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, 0,
               parent, b, dpi, args.align);
    }

    // The window's height is always the open list's; the bounds it reports are the closed
    // field's, whose height follows the font.
    void SetBounds(const Bounds& b) override {
        const Bounds now = GetBounds();
        if (b.left != now.left || b.top != now.top || b.width != now.width)
            Place(b);
    }

    void Scale(int newDpi, int oldDpi) override {
        const Bounds b = ScaledBounds(GetBounds(), newDpi, oldDpi);
        dpi_ = ScaledToDpi(dpi_, newDpi, oldDpi);
        ApplyFont();
        Place(b);  // the open list's height follows the new dpi
    }

    void ClearItems() override { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }
    void AddItem(const std::string& text) override {
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
    int ItemCount() const override {
        return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
    }
    std::string Item(int index) const override {
        const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
        if (length == CB_ERR)
            return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return Narrow(text);
    }
    int ItemIndex() const override {
        const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? -1 : static_cast<int>(index);
    }
    void SetItemIndex(int index) override { SendMessageW(hwnd_, CB_SETCURSEL, index, 0); }

    // A choice from the open list ends in CBN_SELENDOK, also when the same item is chosen
    // again (which raises no CBN_SELCHANGE); the keyboard on the closed list gives only
    // CBN_SELCHANGE. Each choice raises onChange once.
    void OnCommand(int code) override {
        switch (code) {
            case CBN_DROPDOWN:
                changedInList_ = false;
                break;
            case CBN_SELCHANGE:
                changedInList_ = SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
                if (onChange)
                    onChange();
                break;
            case CBN_SELENDOK:
                if (!changedInList_ && SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) && onChange)
                    onChange();
                changedInList_ = false;
                break;
        }
    }

private:
    void Place(const Bounds& b) {
        MoveWindow(hwnd_, b.left, b.top, b.width, ScaledToDpi(kDropDownHeight, dpi_), TRUE);
    }

    bool changedInList_ = false;
};

// ---- TabSet ----

class Win32TabSet : public Win32Control<TabSet> {
public:
    Win32TabSet(HWND parent, const TabSetArgs& args, int dpi) {
        // The tabs never hold the focus: the keyboard belongs to the edits and Ctrl+Tab.
        Create(WC_TABCONTROLW, "", WS_VISIBLE | TCS_TABS | TCS_SINGLELINE | TCS_FOCUSNEVER, 0,
               parent, Design(args, dpi), dpi, args.align);
        for (size_t i = 0; i < args.tabs.size(); ++i) {
            std::wstring text = Widen(args.tabs[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = text.data();
            SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
    }

    void SetTabText(int index, const std::string& text) override {
        // Each new text measures and repaints the whole strip.
        if (text == TabText(index))
            return;
        std::wstring wide = Widen(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wide.data();
        SendMessageW(hwnd_, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    int TabIndex() const override {
        return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
    }
    std::string TabText(int index) const {
        wchar_t text[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 256;
        if (!SendMessageW(hwnd_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)) ||
            !item.pszText)
            return {};
        return Narrow(item.pszText);
    }
    // TCM_SETCURSEL is silent; a tab chosen by code is announced like a user's choice.
    void SetTabIndex(int index) override {
        if (index == TabIndex())
            return;
        SendMessageW(hwnd_, TCM_SETCURSEL, index, 0);
        if (onChange)
            onChange(index);
    }

    // The strip beside and below the tabs shows the bar's silver rather than the system's face
    // colour.
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (message != WM_ERASEBKGND)
            return false;
        RECT rect{};
        GetClientRect(hwnd_, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect,
                 SolidBrush(WindowBackground(GetParent(hwnd_))));
        result = 1;
        return true;
    }

    bool OnNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code == TCN_SELCHANGING) {
            result = FALSE;  // a tab change is always allowed
            return true;
        }
        if (header.code == TCN_SELCHANGE) {
            if (onChange)
                onChange(TabIndex());
            result = 0;
            return true;
        }
        return false;
    }
};

}  // namespace

// ---- the factory ----

HWND Win32ControlFactory::ParentOf(const ControlArgs& args) const {
    if (auto* parent = dynamic_cast<Win32ControlBase*>(args.parent))
        return parent->Hwnd();
    return window_;
}

// Each wrapper on the window or its panel, at the host's present DPI.
template <class Wrapper, class Args>
std::unique_ptr<Wrapper> Win32ControlFactory::Make(const Args& args) const {
    return std::make_unique<Wrapper>(ParentOf(args), args, host_.Dpi());
}

std::unique_ptr<Label> Win32ControlFactory::CreateLabel(const LabelArgs& args) {
    return Make<Win32Label>(args);
}
std::unique_ptr<Panel> Win32ControlFactory::CreatePanel(const PanelArgs& args) {
    return Make<Win32Panel>(args);
}
std::unique_ptr<Button> Win32ControlFactory::CreateButton(const ButtonArgs& args) {
    return Make<Win32Button>(args);
}
std::unique_ptr<CheckBox> Win32ControlFactory::CreateCheckBox(const CheckBoxArgs& args) {
    return Make<Win32CheckBox>(args);
}
std::unique_ptr<Edit> Win32ControlFactory::CreateEdit(const EditArgs& args) {
    return CreateWin32Edit(ParentOf(args), args, host_.Dpi());
}
std::unique_ptr<UpDown> Win32ControlFactory::CreateUpDown(const UpDownArgs& args) {
    return CreateWin32UpDown(ParentOf(args), args, host_.Dpi());
}
std::unique_ptr<ComboBox> Win32ControlFactory::CreateComboBox(const ComboBoxArgs& args) {
    return Make<Win32ComboBox>(args);
}
std::unique_ptr<TabSet> Win32ControlFactory::CreateTabSet(const TabSetArgs& args) {
    return Make<Win32TabSet>(args);
}

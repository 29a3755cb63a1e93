#include "win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>

#include "render/Canvas.h"
#include "ui/UpDownRule.h"
#include "win32/Win32Color.h"
#include "win32/Win32ControlBase.h"
#include "win32/Win32ControlFonts.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Panel.h"
#include "win32/Win32WindowBackground.h"

namespace {

// A drop-down list's window height is the height of its open list; the closed field takes
// its height from the font.
constexpr int kDropDownHeight = 200;
constexpr int kUpDownWidth = 16;

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
        Create(WC_STATICA, args.text, style, 0, parent, Design(args, dpi), dpi, args.align);
        if (autoSize_)
            FitToText();
    }

    void SetText(const std::string& text) override {
        if (text == GetText())
            return;
        // Nothing erases a transparent label's old text but its parent's painting.
        if (transparent_)
            InvalidateUnderneath();
        SetWindowTextA(hwnd_, text.c_str());
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
        const std::string text = GetText();
        RECT rect{0, 0, wrapWidth, 0};
        DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect,
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
        Create(WC_BUTTONA, args.text, style, 0, parent, Design(args, dpi), dpi, args.align);
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
        Create(WC_BUTTONA, args.text, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent,
               Design(args, dpi), dpi, args.align);
    }

    bool IsChecked() const override {
        return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    // BM_SETCHECK is silent; the window's logic expects a click event for every change of the
    // state, as a user's click gives.
    void SetChecked(bool checked) override {
        if (checked == IsChecked())
            return;
        SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
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

// ---- Edit ----

class Win32UpDown;

class Win32Edit : public Win32Control<Edit> {
public:
    Win32Edit(HWND parent, const EditArgs& args, int dpi)
        : customColors_(args.customColors),
          background_(args.background),
          textColor_(args.textColor),
          multiLine_(args.multiLine) {
        DWORD style = WS_VISIBLE;
        DWORD exStyle = 0;
        if (multiLine_) {
            style |= ES_MULTILINE | ES_READONLY | WS_DISABLED;
        } else {
            style |= ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        Create(WC_EDITA, ToNative(args.text), style, exStyle, parent, Design(args, dpi), dpi,
               args.align);
    }
    ~Win32Edit() override;

    // Every text set announces itself (EN_CHANGE), the same one again included: the handlers
    // and the up-down buddy follow the edit through that notification.
    void SetText(const std::string& text) override {
        SetWindowTextA(hwnd_, ToNative(text).c_str());
    }
    std::string GetText() const override {
        std::string text = Win32Control<Edit>::GetText();
        if (!multiLine_)
            return text;
        std::string plain;
        for (char ch : text)
            if (ch != '\r')
                plain += ch;
        return plain;
    }

    void SetBackground(Color color) override {
        if (hasBackground_ && color == background_)
            return;
        background_ = color;
        hasBackground_ = true;
        InvalidateIfShown(hwnd_);
    }
    void ResetBackground() override {
        hasBackground_ = false;
        customColors_ = false;
        InvalidateIfShown(hwnd_);
    }

    HBRUSH OnCtlColor(HDC dc) override {
        if (!customColors_ && !hasBackground_)
            return nullptr;
        SetTextColor(dc, customColors_ ? ToColorRef(textColor_) : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, ToColorRef(background_));
        return SolidBrush(background_);
    }

    void OnCommand(int code) override;

    void AttachUpDown(Win32UpDown* upDown) { upDown_ = upDown; }
    // The text as the edit's own code rewrites it: no change event reaches the handlers.
    void RewriteQuietly(const std::string& text) {
        rewriting_ = true;
        SetText(text);
        rewriting_ = false;
    }

private:
    // A multi-line edit breaks lines only at CR LF.
    std::string ToNative(const std::string& text) const {
        if (!multiLine_)
            return text;
        std::string native;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
                native += '\r';
            native += text[i];
        }
        return native;
    }

    bool customColors_;
    bool hasBackground_ = false;
    Color background_;
    Color textColor_;
    bool multiLine_;
    bool rewriting_ = false;
    Win32UpDown* upDown_ = nullptr;
};

// ---- UpDown ----

// The arrows and the Up and Down keys reach us as UDN_DELTAPOS; the control's own position
// and its integer parsing of the buddy are not used, so that the position follows the text
// exactly by UpDownRule.
class Win32UpDown : public Win32Control<UpDown> {
public:
    Win32UpDown(HWND parent, const UpDownArgs& args, int dpi)
        : buddy_(dynamic_cast<Win32Edit*>(args.buddy)), min_(args.min), max_(args.max) {
        Bounds b = Design(args, dpi);
        if (buddy_) {
            // Right of the buddy, as tall as it; the buddy keeps its width (UDS_ALIGNRIGHT
            // would narrow it).
            const Bounds buddyBounds = buddy_->GetBounds();
            b = {buddyBounds.left + buddyBounds.width, buddyBounds.top,
                 ScaledToDpi(args.bounds.width > 0 ? args.bounds.width : kUpDownWidth, dpi),
                 buddyBounds.height};
        }
        Create(UPDOWN_CLASSA, "", WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, parent, b, dpi,
               args.align);
        SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
        position_ = std::clamp(0, min_, max_);
        if (buddy_) {
            SendMessageA(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy_->Hwnd()), 0);
            // Attaching resets the width to the control's default; the design width stands.
            SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            buddy_->AttachUpDown(this);
            FollowBuddyText();
        }
        SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
    }
    ~Win32UpDown() override {
        if (buddy_)
            buddy_->AttachUpDown(nullptr);
    }

    int Position() const override { return position_; }
    int Min() const override { return min_; }
    int Max() const override { return max_; }

    // Only a position that moves rewrites the buddy: a text being typed ("-", "", "150")
    // stays as it is, and so does its caret.
    void SetPosition(int position) override {
        position = std::clamp(position, min_, max_);
        if (position == position_)
            return;
        position_ = position;
        SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
        if (buddy_)
            buddy_->SetText(std::to_string(position_));
    }

    bool OnNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code != UDN_DELTAPOS)
            return false;
        const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
        SetPosition(position_ + change.iDelta);
        result = TRUE;  // the control must not move its own position
        return true;
    }

    void FollowBuddyText() {
        if (!buddy_)
            return;
        position_ = PositionFollowingText(buddy_->GetText(), min_, max_, position_);
        SendMessageA(hwnd_, UDM_SETPOS32, 0, position_);
    }

    void ForgetBuddy() { buddy_ = nullptr; }

private:
    Win32Edit* buddy_;
    int min_, max_;
    int position_ = 0;
};

Win32Edit::~Win32Edit() {
    if (upDown_)
        upDown_->ForgetBuddy();
}

void Win32Edit::OnCommand(int code) {
    if (code == EN_KILLFOCUS) {
        // Leaving the edit, the user sees the value in effect rather than a text that was
        // never applied.
        if (upDown_) {
            const std::string shown = std::to_string(upDown_->Position());
            if (GetText() != shown)
                RewriteQuietly(shown);
        }
        return;
    }
    if (code != EN_CHANGE)
        return;
    // The up-down reads the new text before any handler asks it for its position.
    if (upDown_)
        upDown_->FollowBuddyText();
    if (onChange && !rewriting_)
        onChange();
}

// ---- ComboBox ----

class Win32ComboBox : public Win32Control<ComboBox> {
public:
    Win32ComboBox(HWND parent, const ComboBoxArgs& args, int dpi) {
        Bounds b = Design(args, dpi);
        b.height = ScaledToDpi(kDropDownHeight, dpi);
        // The open list shows all items up to its height either way; rounding that height to
        // whole items costs the list window a resize on every font and move under Wine.
        Create(WC_COMBOBOXA, "",
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

    void ClearItems() override { SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0); }
    void AddItem(const std::string& text) override {
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    int ItemCount() const override {
        return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
    }
    std::string Item(int index) const override {
        const LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, index, 0);
        if (length == CB_ERR)
            return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }
    int ItemIndex() const override {
        const LRESULT index = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
        return index == CB_ERR ? -1 : static_cast<int>(index);
    }
    void SetItemIndex(int index) override { SendMessageA(hwnd_, CB_SETCURSEL, index, 0); }

    // A choice from the open list ends in CBN_SELENDOK, also when the same item is chosen
    // again (which raises no CBN_SELCHANGE); the keyboard on the closed list gives only
    // CBN_SELCHANGE. Each choice raises onChange once.
    void OnCommand(int code) override {
        switch (code) {
            case CBN_DROPDOWN:
                changedInList_ = false;
                break;
            case CBN_SELCHANGE:
                changedInList_ = SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
                if (onChange)
                    onChange();
                break;
            case CBN_SELENDOK:
                if (!changedInList_ && SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) && onChange)
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
        Create(WC_TABCONTROLA, "", WS_VISIBLE | TCS_TABS | TCS_SINGLELINE | TCS_FOCUSNEVER, 0,
               parent, Design(args, dpi), dpi, args.align);
        for (size_t i = 0; i < args.tabs.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(args.tabs[i].c_str());
            SendMessageA(hwnd_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }

    void SetTabText(int index, const std::string& text) override {
        // Each new text measures and repaints the whole strip.
        if (text == TabText(index))
            return;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd_, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    int TabIndex() const override {
        return static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0));
    }
    std::string TabText(int index) const {
        char text[256] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (!SendMessageA(hwnd_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item)) ||
            !item.pszText)
            return {};
        return item.pszText;
    }
    // TCM_SETCURSEL is silent; a tab chosen by code is announced like a user's choice.
    void SetTabIndex(int index) override {
        if (index == TabIndex())
            return;
        SendMessageA(hwnd_, TCM_SETCURSEL, index, 0);
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
    return Make<Win32Edit>(args);
}
std::unique_ptr<UpDown> Win32ControlFactory::CreateUpDown(const UpDownArgs& args) {
    return Make<Win32UpDown>(args);
}
std::unique_ptr<ComboBox> Win32ControlFactory::CreateComboBox(const ComboBoxArgs& args) {
    return Make<Win32ComboBox>(args);
}
std::unique_ptr<TabSet> Win32ControlFactory::CreateTabSet(const TabSetArgs& args) {
    return Make<Win32TabSet>(args);
}

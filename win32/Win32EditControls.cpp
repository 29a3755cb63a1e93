#include "win32/Win32EditControls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/UpDownRule.h"
#include "win32/Win32Color.h"
#include "win32/Win32ControlBase.h"
#include "win32/Win32WindowBackground.h"

namespace {

constexpr int kUpDownWidth = 16;

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
        Create(WC_EDITW, ToNative(args.text), style, exStyle, parent, Design(args, dpi), dpi,
               args.align);
    }
    ~Win32Edit() override;

    // Every text set announces itself (EN_CHANGE), the same one again included: the handlers
    // and the up-down buddy follow the edit through that notification.
    void SetText(const std::string& text) override {
        SetWindowTextW(hwnd_, Widen(ToNative(text)).c_str());
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
        Create(UPDOWN_CLASSW, "", WS_VISIBLE | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, parent, b, dpi,
               args.align);
        SendMessageW(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
        position_ = std::clamp(0, min_, max_);
        if (buddy_) {
            SendMessageW(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy_->Hwnd()), 0);
            // Attaching resets the width to the control's default; the design width stands.
            SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            buddy_->AttachUpDown(this);
            FollowBuddyText();
        }
        SendMessageW(hwnd_, UDM_SETPOS32, 0, position_);
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
        SendMessageW(hwnd_, UDM_SETPOS32, 0, position_);
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
        SendMessageW(hwnd_, UDM_SETPOS32, 0, position_);
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

}  // namespace

std::unique_ptr<Edit> CreateWin32Edit(HWND parent, const EditArgs& args, int dpi) {
    return std::make_unique<Win32Edit>(parent, args, dpi);
}

std::unique_ptr<UpDown> CreateWin32UpDown(HWND parent, const UpDownArgs& args, int dpi) {
    return std::make_unique<Win32UpDown>(parent, args, dpi);
}

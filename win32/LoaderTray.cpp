#include "win32/LoaderTray.h"

#include <iterator>

#include "app/Language.h"
#include "win32/LoaderWindow.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {
constexpr UINT kTrayIconId = 1;
}  // namespace

LoaderTray::LoaderTray(HWND window, UINT callbackMessage)
    : window_(window), callbackMessage_(callbackMessage) {
    ReloadIcon();
}

LoaderTray::~LoaderTray() {
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

NOTIFYICONDATAW LoaderTray::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon =
        icon_ ? icon_.get() : LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    tip_.copy(data.szTip, std::size(data.szTip) - 1);
    return data;
}

bool LoaderTray::Add() {
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    if (added_ && !pendingNotice_.empty())
        Notify({});
    return added_;
}

void LoaderTray::Readd() {
    added_ = false;
    Add();
}

void LoaderTray::ReloadIcon() {
    // The small icon drawn at the small-icon size, not the large one scaled down by the shell.
    const UINT dpi = GetDpiForWindow(window_);
    const int size = GetSystemMetricsForDpi(SM_CXSMICON, dpi ? dpi : USER_DEFAULT_SCREEN_DPI);
    icon_.Reset(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(NIF_ICON);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void LoaderTray::SetTip(const std::string& tip) {
    std::wstring wide = Widen(tip);
    if (wide == tip_)
        return;
    tip_ = std::move(wide);
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data(NIF_TIP);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void LoaderTray::Notify(const std::string& text) {
    if (!text.empty())
        pendingNotice_ = Widen(text);
    if (!added_ || pendingNotice_.empty())
        return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    data.dwInfoFlags = NIIF_WARNING;
    pendingNotice_.copy(data.szInfo, std::size(data.szInfo) - 1);
    std::wstring(L"Tonecast").copy(data.szInfoTitle, std::size(data.szInfoTitle) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &data);
    pendingNotice_.clear();
}

void LoaderTray::ShowMenu(const std::vector<std::string>& notes) {
    const PopupMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    for (const std::string& note : notes)
        AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, Widen(note).c_str());
    if (!notes.empty())
        AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kLoaderReapply, Widen(LangText("TrayReapply")).c_str());
    AppendMenuW(menu.get(), MF_STRING, kLoaderOpen, Widen(LangText("TrayOpen")).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kLoaderExit, Widen(LangText("TrayExit")).c_str());
    POINT at{};
    GetCursorPos(&at);
    // Without being the foreground window the menu would not close on a click elsewhere.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, window_, nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
}

#pragma once
// The resident loader's icon in the notification area: the program's small icon at the size
// the taskbar's DPI asks for, the tooltip, and the menu. The shell may refuse the icon at a busy
// log-on and forgets it when the taskbar is made anew; the window adds it again (Add).

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "win32/Win32Handles.h"

class LoaderTray {
public:
    // `callbackMessage` reaches `window` for the mouse on the icon.
    LoaderTray(HWND window, UINT callbackMessage);
    ~LoaderTray();
    LoaderTray(const LoaderTray&) = delete;
    LoaderTray& operator=(const LoaderTray&) = delete;

    // Adds the icon; false when the shell did not take it (try again later).
    bool Add();
    bool Added() const { return added_; }
    // The taskbar was made anew: the old icon is gone with it.
    void Readd();
    // The DPI changed: the icon is loaded again at the new small-icon size.
    void ReloadIcon();
    // Changes the tooltip when it changed. The tip field holds 127 characters; more is cut.
    void SetTip(const std::string& tip);
    // Shows `text` once as a warning notification from the icon; kept until the icon is added.
    // Nothing for an empty text.
    void Notify(const std::string& text);
    // The menu at the cursor: `notes` as greyed lines above the commands.
    void ShowMenu(const std::vector<std::string>& notes);

private:
    NOTIFYICONDATAW Data(UINT flags) const;

    HWND window_;
    UINT callbackMessage_;
    OwnedIcon icon_;
    std::wstring tip_;
    std::wstring pendingNotice_;
    bool added_ = false;
};

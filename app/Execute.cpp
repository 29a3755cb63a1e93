#include "app/Execute.h"

#include "app/Platform.h"

void OpenUrl(const std::string& url) {
    Shell& shell = TheShell();
    // A browser started from an elevated process would run with the administrator's rights:
    // only the desktop shell may open it then, or nothing does.
    if (shell.Elevated()) {
        shell.OpenAsSignedInUser(url);
        return;
    }
    // Without a registered browser the shell refuses; explorer.exe still knows what to do. It
    // is named in full: a bare name is looked for in the current folder first.
    if (shell.ShellOpen(url) > 32)
        return;
    const std::string windows = shell.SpecialFolderPath(SpecialFolder::kWindows);
    if (!windows.empty())
        shell.RunCommand("\"" + windows + "\\explorer.exe\" \"" + url + "\"");
}

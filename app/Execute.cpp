#include "app/Execute.h"

#include "app/Platform.h"

void OpenUrl(const std::string& url) {
    Shell& shell = TheShell();
    // Without a registered browser the shell refuses; explorer.exe still knows what to do.
    if (shell.ShellOpen(url) <= 32)
        shell.RunCommand("explorer.exe \"" + url + "\"");
}

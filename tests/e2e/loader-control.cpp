// Drives a running Tonestart.exe from outside, as its notification-area menu does.
//   loader-control running   exit code 0 while a loader window exists, 1 when there is none
//   loader-control tip       prints the loader's tooltip (its window title), UTF-8
//   loader-control reapply   sends the menu's "Re-apply now" command
//   loader-control exit      sends the menu's Exit command
//   loader-control closeapp  asks it to close as the Restart Manager does (an uninstaller)
// Every command but "running" has exit code 1 when no loader runs.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "win32/LoaderWindow.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: loader-control running | tip | reapply | exit | closeapp\n");
        return 2;
    }
    HWND loader = FindWindowW(kLoaderWindowClassName, nullptr);
    if (!loader)
        return 1;
    if (std::strcmp(argv[1], "exit") == 0)
        PostMessageW(loader, WM_COMMAND, kLoaderExit, 0);
    if (std::strcmp(argv[1], "closeapp") == 0) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(loader, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                            5000, &answer);
        SendMessageTimeoutW(loader, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                            5000, &answer);
    }
    if (std::strcmp(argv[1], "reapply") == 0)
        PostMessageW(loader, WM_COMMAND, kLoaderReapply, 0);
    if (std::strcmp(argv[1], "tip") == 0) {
        wchar_t title[512] = {};
        GetWindowTextW(loader, title, 512);
        char text[2048] = {};
        WideCharToMultiByte(CP_UTF8, 0, title, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%s\n", text);
    }
    return 0;
}

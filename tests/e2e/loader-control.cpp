// Drives a running Tonestart.exe from outside, as its notification-area menu does.
//   loader-control running   exit code 0 while a loader window exists, 1 when there is none
//   loader-control exit      sends the menu's Exit command (exit code 1 without a loader)
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "win32/LoaderWindow.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: loader-control running | exit\n");
        return 2;
    }
    HWND loader = FindWindowW(kLoaderWindowClassName, nullptr);
    if (!loader)
        return 1;
    if (std::strcmp(argv[1], "exit") == 0)
        PostMessageA(loader, WM_COMMAND, kLoaderExit, 0);
    return 0;
}

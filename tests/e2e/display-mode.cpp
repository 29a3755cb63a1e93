// Changes the primary display's mode the way a game or a projector set-up does, through
// ChangeDisplaySettingsExA, so that the system tells every window (WM_DISPLAYCHANGE).
//   display-mode WIDTH HEIGHT
// Exit code 0 when the system took the mode; otherwise the call's result is printed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: display-mode WIDTH HEIGHT\n");
        return 2;
    }
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(std::atoi(argv[1]));
    mode.dmPelsHeight = static_cast<DWORD>(std::atoi(argv[2]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr);
    if (result != DISP_CHANGE_SUCCESSFUL) {
        std::fprintf(stderr, "display-mode: ChangeDisplaySettingsExA returned %ld\n", result);
        return 1;
    }
    return 0;
}

// Tonecast.exe: the calibration program. "/load" re-applies the saved ramps and exits.
#include <windows.h>

#include "win32/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunTonecast();
}

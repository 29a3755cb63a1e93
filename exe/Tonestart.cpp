// Tonestart.exe: the log-on loader. Re-applies the saved ramp files with a fade and exits.
#include <windows.h>

#include "win32/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunTonestart();
}

#include "win32/Program.h"

#include <windows.h>

int RunTonecast() {
    MessageBoxA(nullptr, "The calibration window is not built yet.", "Velmor Tonecast 3.1.0",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}

int RunTonestart() { return 0; }

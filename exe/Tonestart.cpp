// Tonestart.exe: the log-on loader. Fades to the saved ramp files and stays in the notification
// area to keep them on the displays; "/once" fades and exits.
#include <windows.h>

#include "win32/Program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunTonestart();
}

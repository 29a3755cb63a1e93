#include "win32/Program.h"

#include <cstdlib>
#include <exception>
#include <string>

#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "win32/Win32Services.h"

// Last: its macros would rename the interface methods declared above.
#include <windows.h>

namespace {

// The folder of the running exe, with its trailing backslash.
std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Re-applies the saved ramps. Interim: reads from the program folder until the start-up
// sequence with the data folder and settings is in place.
int LoadRamps() {
    UseWin32Services();
    EnumDisplays();
    try {
        LoadAndApplyAll(ProgramFolder());
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Error", MB_OK | MB_ICONERROR);
    }
    ReleaseDisplays();
    return 0;
}

}  // namespace

int RunTonecast() {
    if (__argc > 1 && std::string(__argv[1]) == "/load")
        return LoadRamps();
    MessageBoxA(nullptr, "The calibration window is not built yet.", "Velmor Tonecast 3.1.0",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}

int RunTonestart() {
    return 0;
}

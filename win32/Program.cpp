#include "win32/Program.h"

#include <exception>
#include <string>

#include "app/Main.h"
#include "base/Errors.h"
#include "ramp/Displays.h"
#include "win32/DllSearch.h"
#include "win32/Interactive.h"
#include "win32/LoaderWindow.h"
#include "win32/StartupTrace.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32ColorConverter.h"
#include "win32/Win32ColorProfiles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

// Last: its macros would rename the interface methods declared above.
#include <windows.h>

namespace {

void UseAllServices() {
    UseWin32Services();
    UseShell(Win32Shell());
    UseProfileStore(Win32Profile());
    UseWin32ColorConverter();
    UseWin32ColorProfiles();
}

void ShowApplicationError(const char* message) {
    MessageBoxW(nullptr, Widen(message).c_str(), L"Application Error", MB_OK | MB_ICONERROR);
}

std::string CommandLineArgument() {
    return FirstArgument(Narrow(GetCommandLineW()));
}

}  // namespace

int RunTonecast() {
    RestrictDllSearch();
    TraceStartup("main");
    UseAllServices();
    // Every later step, the switches included, finds the display list complete.
    EnumDisplays();
    TraceStartup("displays enumerated");
    int exitCode = 0;
    try {
        if (StartApplication(CommandLineArgument(), &exitCode)) {
            TraceStartup("settings and language files read");
            try {
                exitCode = RunInteractive();
            } catch (const std::exception& error) {
                ShowApplicationError(error.what());
                exitCode = 1;
            }
            // The settings are saved however the run ended.
            try {
                FinishApplication();
            } catch (const std::exception& error) {
                ShowApplicationError(error.what());
                exitCode = 1;
            }
            // Only the interactive run starts COM (the start-up shortcut written on OK).
            EndCom();
        }
    } catch (const std::exception& error) {
        ShowApplicationError(error.what());
        exitCode = 1;
    }
    ReleaseDisplays();
    return exitCode;
}

int RunTonestart() {
    RestrictDllSearch();
    UseAllServices();
    if (CommandLineArgument() != kOnceSwitch)
        return RunResidentLoader();
    EnumDisplays();
    const int exitCode = LoadSavedCorrections(RecoverAbandonedSession());
    ReleaseDisplays();
    return exitCode;
}

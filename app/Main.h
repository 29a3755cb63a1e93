#pragma once
// Start-up, command line and shutdown.

#include <string>
#include <vector>

#include "ramp/RampFile.h"

inline constexpr const char* kProgramTitle = "Velmor Tonecast 3.1.0";
inline constexpr const char* kProgramNameAndVersion = "Tonecast 3.1.0";

// The page that receives the uninstall query.
inline constexpr const char* kUninstallPage = "https://www.velmor.example/tonecast/uninstall";
inline constexpr const char* kUninstallFileName = "Uninstall.exe";
inline constexpr const char* kLoadSwitch = "/load";
inline constexpr const char* kUninstallSwitch = "/uninstall";
// The uninstaller's quiet step, run also when it is silent: the colour profiles the program
// installed go, with their associations; no window, no message, no file users can write read.
inline constexpr const char* kRemoveProfilesSwitch = "/removeprofiles";
// Tonestart.exe's switch for the fade alone, without staying resident.
inline constexpr const char* kOnceSwitch = "/once";
// Exit code of "/load" when a display did not take its correction (0: every display took it).
inline constexpr int kExitDisplayRefused = 2;

// Splits a command line by the platform's usual rule: blanks (any byte up to 0x20) separate,
// double quotes group blanks into one argument and are removed. The first element is the
// program itself.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The first argument after the program; empty when there is none.
std::string FirstArgument(const std::string& commandLine);

// Reads the settings file and the language it names (English first, for missing texts).
void LoadSettingsAndLanguage();
// True when the interactive run is to follow. `firstArgument` is the first command-line
// argument as FirstArgument gives it (empty when there is none). A switch that ends the
// process leaves its exit code in `exitCode` when given.
bool StartApplication(const std::string& firstArgument, int* exitCode = nullptr);
// Fades every display to its saved ramp file, silently; the exit code of "/load" (0, or
// kExitDisplayRefused when a display did not take its correction). While a calibration window
// is open it leaves every display alone and returns 0.
// A display without a ramp file keeps what `recovered` gives it (RecoverAbandonedSession).
int LoadSavedCorrections(const FallbackRamps& recovered = {});
// Puts back the ramps of a calibration window that was ended by force (ramp/SessionJournal.h),
// unless one is open now, and returns them by display. Every start of either program runs it
// first.
FallbackRamps RecoverAbandonedSession();
// Saves the settings; throws WriteError when they cannot be written.
void FinishApplication();
std::string BuildUninstallQuery();

#include "app/Main.h"

#include <cmath>
#include <exception>

#include "app/ColorProfiles.h"
#include "app/Execute.h"
#include "app/Folders.h"
#include "app/Language.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "base/Clock.h"
#include "base/FileSystem.h"
#include "ramp/RampFile.h"
#include "ramp/SessionJournal.h"

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    size_t i = 0;
    const size_t n = commandLine.size();
    for (;;) {
        while (i < n && static_cast<unsigned char>(commandLine[i]) <= 0x20)
            ++i;
        if (i >= n)
            return arguments;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || static_cast<unsigned char>(commandLine[i]) > 0x20)) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
            ++i;
        }
        arguments.push_back(argument);
    }
}

std::string FirstArgument(const std::string& commandLine) {
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);
    return arguments.size() > 1 ? arguments[1] : std::string();
}

void LoadSettingsAndLanguage() {
    LoadSettings();
    LoadLanguage("English");
    LoadLanguage(Settings().LanguageName);
}

FallbackRamps RecoverAbandonedSession() {
    try {
        return RecoverSessionJournal(GetDataFolder(kSubPath), TheShell().CalibrationWindowOpen());
    } catch (const std::exception&) {
        return {};  // whatever the displays show, the program's own start must go on
    }
}

bool StartApplication(const std::string& firstArgument, int* exitCode) {
    // The uninstaller runs this as administrator: nothing that users can write (settings,
    // language files) is read before, and nothing the page needs comes from there.
    if (firstArgument == kRemoveProfilesSwitch) {
        // Before the program goes, the displays go back to the profiles they had before
        // Tonecast's. Nobody may be there to read a message (a silent uninstall).
        try {
            RemoveInstalledProfiles();
        } catch (const std::exception&) {
        }
        return false;
    }
    if (firstArgument == kUninstallSwitch) {
        OpenUrl(std::string(kUninstallPage) + BuildUninstallQuery());
        return false;
    }
    LoadSettingsAndLanguage();
    const FallbackRamps recovered = RecoverAbandonedSession();

    if (firstArgument == kLoadSwitch) {
        const int code = LoadSavedCorrections(recovered);
        if (exitCode)
            *exitCode = code;
        return false;
    }
    return true;
}

int LoadSavedCorrections(const FallbackRamps& recovered) {
    // The calibration window has the displays: fading over it would undo the user's edit.
    if (TheShell().CalibrationWindowOpen())
        return 0;
    // Runs at log-on with nobody to answer a message: whatever the ramp files hold, it ends
    // quietly.
    bool allTaken = false;
    try {
        allTaken = LoadAndApplyAll(GetDataFolder(kSubPath), recovered);
    } catch (const std::exception&) {
    }
    return allTaken ? 0 : kExitDisplayRefused;
}

void FinishApplication() {
    SaveSettings();
}

std::string BuildUninstallQuery() {
    long long days = 0;
    double installed = 0;
    if (Files().FileTimeLocal(GetProgramFolder() + kUninstallFileName, installed)) {
        const double age = std::trunc(SystemClock().NowLocalDays() - installed);
        // Out-of-range file times (a damaged clock) must not overflow the conversion.
        if (std::isfinite(age) && std::fabs(age) < 1e15)
            days = static_cast<long long>(age);
    }
    return "?prd=tnc&v=3.1.0&d=" + std::to_string(days);
}

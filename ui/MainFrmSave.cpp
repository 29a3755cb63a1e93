// Closing the calibration window: OK saves every display's ramp file and display profile and
// the start-up shortcut as one, then, when asked to, makes the profiles the displays' own; any
// other way puts back the ramps the window found. Every orderly end removes the session file
// that guards the displays against a forced one.
#include <optional>
#include <string>
#include <vector>

#include "app/ColorProfiles.h"
#include "app/Folders.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "app/Shortcut.h"
#include "base/AllOrNothing.h"
#include "base/Clock.h"
#include "base/Errors.h"
#include "base/Path.h"
#include "ramp/Correction.h"
#include "ramp/Displays.h"
#include "ramp/ProfileFile.h"
#include "ramp/RampFile.h"
#include "ramp/RampFileMatch.h"
#include "ramp/SessionJournal.h"
#include "ui/MainFrm.h"

namespace {

std::string LoaderPath() {
    return GetProgramFolder() + "Tonestart.exe";
}

// What OK saves, in the order it is put in place: one ramp file per display, one display
// profile per display, then, for a portable copy, the shortcut that applies them at log-on (an
// installed copy's loader starts from the installer's entry for every user). Another file of
// the save is one more entry here.
std::vector<PreparedFile> FilesOfTheSave(const std::string& dataFolder) {
    const DisplayState& engine = Engine();
    const std::vector<std::string> rampFiles = MatchRampFiles(dataFolder);
    std::vector<PreparedFile> files;
    for (int i = 0; i < engine.DisplayCount(); ++i)
        files.push_back({rampFiles[i], FormatDisplayRampFile(engine.Corrections[i], i)});
    const double now = SystemClock().NowLocalDays();
    for (int i = 0; i < engine.DisplayCount(); ++i)
        files.push_back(
            {ProfileFileName(rampFiles[i]), DisplayProfileOf(i, Patterns().TargetGamma, now)});
    if (!IsOutsideProgramFiles())
        return files;
    if (std::optional<PreparedFile> shortcut = PrepareStartupShortcut(LoaderPath()))
        files.push_back(std::move(*shortcut));
    return files;
}

}  // namespace

TMainForm::~TMainForm() {
    EndSession();
}

void TMainForm::EndCalibrationSession() {
    if (journalWritten_)
        RemoveSessionJournal(GetDataFolder(kSubPath));
    journalWritten_ = false;
    sessionOpen_ = false;
}

void TMainForm::EndSession() {
    if (!sessionOpen_)
        return;
    RestoreDisplayRamps();
    EndCalibrationSession();
}

bool TMainForm::FormClose() {
    if (RestoreOnClose) {
        RestoreDisplayRamps();
        EndCalibrationSession();
        return true;
    }
    try {
        const std::string dataFolder = GetDataFolder(kSubPath);
        const std::vector<PreparedFile> files = FilesOfTheSave(dataFolder);
        for (const PreparedFile& file : files)
            ForceFolders(FolderPart(file.path));
        SaveAllOrNothing(files);
        if (!IsOutsideProgramFiles())
            RemoveStartupShortcut(LoaderPath());
        EndCalibrationSession();
        InstallProfiles(dataFolder);
        return true;
    } catch (const std::exception& e) {
        // The user stays in the window with the corrections still applied and every saved
        // file as it was; OK may be tried again, and any other close puts the captured ramps
        // back so the program can end.
        const auto* failed = dynamic_cast<const SaveError*>(&e);
        host_.ShowError(failed ? LangText("ESaveFailed") + "\r\n\r\n" + failed->path + "\r\n" +
                                     failed->what()
                               : std::string(e.what()));
        RestoreOnClose = true;
        return false;
    }
}

void TMainForm::InstallProfiles(const std::string& dataFolder) {
    if (!Settings().InstallProfile)
        return;
    // The corrections are saved and stay in force; the user only learns that the system's
    // colour management does not know of them.
    const std::vector<std::string> failures = InstallDisplayProfiles(dataFolder);
    if (failures.empty())
        return;
    std::string message = LangText("EProfileInstall") + "\r\n";
    for (const std::string& failure : failures)
        message += "\r\n" + failure;
    host_.ShowError(message);
}

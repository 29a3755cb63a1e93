#include "app/Settings.h"

#include <cstdio>

#include "app/Folders.h"
#include "app/Platform.h"
#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/Path.h"
#include "base/Text.h"
#include "ramp/Correction.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kInstallProfileKey = "InstallProfile";

// The level pairs of the gamma patterns are defined only for a positive finite gamma.
double GammaOrDefault(const std::string* text) {
    const std::optional<double> value =
        text ? ParseDecimal(*text, TheShell().DecimalSeparator()) : std::nullopt;
    if (!value || *value <= 0)
        return kDefaultTargetGamma;
    return *value;
}

}  // namespace

SettingsValues& Settings() {
    static SettingsValues values;
    return values;
}

std::string SettingsFilePath() {
    return GetUserFolder(kSubPath) + kSettingsFileName;
}

std::string SharedSettingsFilePath() {
    return GetDataFolder(kSubPath) + kSettingsFileName;
}

std::string FormatDecimal(double value, char separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    for (char& ch : text)
        if (ch == '.')
            ch = separator;
    return text;
}

bool LoadSettings() {
    SettingsValues& settings = Settings();
    settings.LanguageName = "English";
    settings.ReferenceImageRefused = false;
    // A user without a file of their own starts once from the shared one of earlier versions
    // (the same file in portable mode); their own is written at the end of the run.
    std::string path = SettingsFilePath();
    if (!Files().FileExists(path))
        path = SharedSettingsFilePath();
    std::uint64_t size = 0, writeTime = 0;
    if (!Files().FileStamp(path, size, writeTime) || size > kMaxSettingsFileBytes)
        return false;

    ProfileStore& store = Profiles();
    std::string value;
    settings.LanguageName = store.ReadString(path, kSection, "Language", value) ? value : "English";
    if (store.ReadString(path, kSection, "ReferenceImage", value)) {
        settings.ReferenceImagePath = value;
        settings.ReferenceImageRefused = !value.empty() && !IsLocalDiskPath(value);
    } else {
        settings.ReferenceImagePath = GetProgramFolder() + kReferenceImageFileName;
    }
    const bool hasGamma = store.ReadString(path, kSection, "Gamma", value);
    Patterns().TargetGamma = GammaOrDefault(hasGamma ? &value : nullptr);
    settings.InstallProfile =
        store.ReadString(path, kSection, kInstallProfileKey, value) && value == "1";
    return true;
}

namespace {

// Writes this run's keys into `file` through the private-profile functions, which keep every
// other key and section where it was.
void WriteKeys(const std::string& file) {
    const SettingsValues& settings = Settings();
    const std::string gamma = FormatDecimal(Patterns().TargetGamma, TheShell().DecimalSeparator());
    ProfileStore& store = Profiles();
    for (const auto& [key, value] :
         {std::pair<const char*, const std::string&>{"Language", settings.LanguageName},
          {"ReferenceImage", settings.ReferenceImagePath},
          {"Gamma", gamma}}) {
        if (!store.WriteString(file, kSection, key, value))
            throw InOutError("A key could not be written");
    }
    // A file that never had the option on keeps the three keys it always had.
    std::string stored;
    if ((settings.InstallProfile || store.ReadString(file, kSection, kInstallProfileKey, stored)) &&
        !store.WriteString(file, kSection, kInstallProfileKey, settings.InstallProfile ? "1" : "0"))
        throw InOutError("A key could not be written");
    store.Flush(file);
}

}  // namespace

void SaveSettings() {
    const std::string path = SettingsFilePath();
    if (!Files().FileExists(path))
        ForceFolders(FolderPart(path));

    // The keys go into a copy of the file beside it, which then replaces the file in one
    // rename, as the ramp files are saved: a full disk or a failing write leaves the old
    // settings whole instead of a file cut off after some of its keys.
    std::string temporary;
    try {
        std::string before;
        Files().ReadFile(path, before, kMaxSettingsFileBytes);
        temporary = Files().WriteTemporaryBeside(path, before);
        WriteKeys(temporary);
        Files().MoveFileOver(temporary, path);
    } catch (const InOutError&) {
        if (!temporary.empty())
            Files().RemoveFile(temporary);
        throw WriteError("Unable to write to " + path);
    }
}

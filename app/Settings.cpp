#include "app/Settings.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/Folders.h"
#include "app/Platform.h"
#include "base/Errors.h"
#include "base/FileSystem.h"
#include "ramp/Correction.h"

namespace {

constexpr const char* kSection = "Settings";

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// The level pairs of the gamma patterns are defined only for a positive finite gamma.
double GammaOrDefault(const std::string* text) {
    double value = 0;
    if (!text || !ParseDecimal(*text, TheShell().DecimalSeparator(), value))
        return kDefaultTargetGamma;
    if (!std::isfinite(value) || value <= 0)
        return kDefaultTargetGamma;
    return value;
}

}  // namespace

SettingsValues& Settings() {
    static SettingsValues values;
    return values;
}

std::string SettingsFilePath() {
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

bool ParseDecimal(const std::string& text, char separator, double& value) {
    size_t i = 0;
    const size_t n = text.size();
    std::string normalised;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        normalised += text[i++];
    int mantissaDigits = 0;
    while (i < n && IsDigit(text[i]))
        normalised += text[i++], ++mantissaDigits;
    if (i < n && text[i] == separator) {
        normalised += '.';
        ++i;
        while (i < n && IsDigit(text[i]))
            normalised += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        normalised += 'E';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            normalised += text[i++];
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i]))
            normalised += text[i++], ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    // strtod reads the point in the "C" locale this program never leaves.
    value = std::strtod(normalised.c_str(), nullptr);
    return true;
}

bool LoadSettings() {
    SettingsValues& settings = Settings();
    settings.LanguageName = "English";
    const std::string path = SettingsFilePath();
    if (!Files().FileExists(path))
        return false;

    ProfileStore& store = Profiles();
    std::string value;
    settings.LanguageName = store.ReadString(path, kSection, "Language", value) ? value : "English";
    settings.ReferenceImagePath = store.ReadString(path, kSection, "ReferenceImage", value)
                                      ? value
                                      : GetProgramFolder() + kReferenceImageFileName;
    const bool hasGamma = store.ReadString(path, kSection, "Gamma", value);
    Patterns().TargetGamma = GammaOrDefault(hasGamma ? &value : nullptr);
    return true;
}

void SaveSettings() {
    const std::string path = SettingsFilePath();
    if (!Files().FileExists(path))
        ForceFolders(FolderOf(path));

    const SettingsValues& settings = Settings();
    const std::string gamma = FormatDecimal(Patterns().TargetGamma, TheShell().DecimalSeparator());
    ProfileStore& store = Profiles();
    for (const auto& [key, value] :
         {std::pair<const char*, const std::string&>{"Language", settings.LanguageName},
          {"ReferenceImage", settings.ReferenceImagePath},
          {"Gamma", gamma}}) {
        if (!store.WriteString(path, kSection, key, value))
            throw WriteError("Unable to write to " + path);
    }
    store.Flush(path);
}

// The settings file's values as LoadSettings reads them, through the program's own code over
// the in-memory profile store. The input holds a decimal separator, which keys are present,
// and the "Language", "ReferenceImage" and "Gamma" texts (separated by NUL bytes). Whatever
// the values, the target gamma comes out positive and finite, and a save followed by a load
// gives back the same three values.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/Platform.h"
#include "app/Settings.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "fuzz/FuzzCheck.h"
#include "ramp/Correction.h"

namespace {
constexpr const char* kDataFolder = "C:\\ProgramData\\Velmor\\Tonecast\\";
constexpr const char* kFile = "C:\\ProgramData\\Velmor\\Tonecast\\Tonecast.settings";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string values[3];
    for (int k = 0; k < 3; ++k) {
        const std::size_t cut = rest.find('\0');
        values[k] = rest.substr(0, cut);
        rest = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    }

    MemoryFileSystem files;
    FakeShell shell;
    FakeProfile profile(&files);
    files.AddFolder("C:\\Program Files\\Velmor\\Tonecast\\");
    files.AddFolder(kDataFolder);
    shell.decimalSeparator = (flags & 1) ? ',' : '.';
    UseFileSystem(files);
    UseShell(shell);
    UseProfileStore(profile);
    Settings() = SettingsValues{};
    Patterns() = PatternSettings{};

    const char* keys[3] = {"Language", "ReferenceImage", "Gamma"};
    bool any = false;
    for (int k = 0; k < 3; ++k) {
        if (flags & (2 << k)) {
            profile.WriteString(kFile, "Settings", keys[k], values[k]);
            any = true;
        }
    }
    if (!any)
        profile.WriteString(kFile, "Other", "Key", values[0]);
    FUZZ_CHECK(LoadSettings());
    const double gamma = Patterns().TargetGamma;
    FUZZ_CHECK(std::isfinite(gamma) && gamma > 0);
    if (!(flags & 8))
        FUZZ_CHECK(gamma == kDefaultTargetGamma);

    const SettingsValues loaded = Settings();
    SaveSettings();
    Settings() = SettingsValues{};
    Patterns() = PatternSettings{};
    FUZZ_CHECK(LoadSettings());
    FUZZ_CHECK(Settings().LanguageName == loaded.LanguageName);
    FUZZ_CHECK(Settings().ReferenceImagePath == loaded.ReferenceImagePath);
    // Fifteen significant digits: the same number as the user reads it.
    const char separator = shell.decimalSeparator;
    FUZZ_CHECK(FormatDecimal(Patterns().TargetGamma, separator) == FormatDecimal(gamma, separator));
    return 0;
}

#pragma once
// The three preferences kept between runs in "Tonecast.settings" (the target gamma lives with
// the pattern settings of the ramp engine).

#include <string>

struct SettingsValues {
    std::string LanguageName = "English";
    std::string ReferenceImagePath;
};
SettingsValues& Settings();

// True when the settings file existed and was read.
bool LoadSettings();
// Throws WriteError("Unable to write to <path>") when a key cannot be written.
void SaveSettings();

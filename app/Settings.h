#pragma once
// The preferences kept between runs in "Tonecast.settings" (the target gamma lives with
// the pattern settings of the ramp engine, Patterns().TargetGamma).

#include <cstddef>
#include <string>

struct SettingsValues {
    std::string LanguageName = "English";
    std::string ReferenceImagePath;
    // The path came from the settings file and names no file on a local disk: it is kept (and
    // saved back as it was) but not opened, until the user chooses an image in the dialog.
    // Anyone may write the shared file of earlier versions, and a network path there would
    // have Windows sign in to that host as whoever opens the page.
    bool ReferenceImageRefused = false;
    // Whether OK also makes each display's saved profile the display's colour profile
    // ("InstallProfile", 1 or 0; absent: off).
    bool InstallProfile = false;
};
SettingsValues& Settings();

inline constexpr const char* kSettingsFileName = "Tonecast.settings";
// The program writes four short keys; a larger settings file is not read (defaults apply) and,
// being none of the program's, not rewritten either.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{64} << 10;
inline constexpr const char* kReferenceImageFileName = "TonecastRef.sRGB.jpg";
inline constexpr double kDefaultTargetGamma = 2.2;

// Each user's own: the per-user folder followed by "Tonecast.settings" (in portable mode the
// program folder, as the data folder is).
std::string SettingsFilePath();
// Where earlier versions kept the settings of every user: the data folder, followed by
// "Tonecast.settings". Read only while the user has no file of their own.
std::string SharedSettingsFilePath();

// True when the settings file existed and was read. A reference image read from it counts only
// when its path names a file on a local disk (IsLocalDiskPath).
bool LoadSettings();
// Throws WriteError("Unable to write to <path>") when a key cannot be written.
void SaveSettings();

// A number in general format with up to 15 significant digits and `separator` as its decimal
// separator ("2.2", or "2,2" under a decimal comma); ParseDecimal (base/Text.h) reads it back.
std::string FormatDecimal(double value, char separator);

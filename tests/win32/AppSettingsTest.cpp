// Settings and folders through the real platform: a portable program folder in a temporary
// folder, the real file system and private-profile functions, checked by the file's bytes.

#include <gtest/gtest.h>

#include "app/Folders.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "base/Errors.h"
#include "ramp/Correction.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Services.h"

#include "AppTempFolder.h"
#include "RelocatedShell.h"

namespace {

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseWin32Services();
        UseShell(shell);
        UseProfileStore(Win32Profile());
        Settings() = SettingsValues{};
        Patterns() = PatternSettings{};
    }
    void TearDown() override { Patterns() = PatternSettings{}; }

    TempFolder folder;
    RelocatedShell shell{folder.path() + "Tonecast.exe"};
};

TEST_F(AppSettingsTest, RoundTripThroughTheSettingsFile) {
    const std::string file = folder.path() + "Tonecast.settings";
    ASSERT_EQ(SettingsFilePath(), file);  // portable: beside the program
    EXPECT_FALSE(LoadSettings());

    // Letters beyond every ANSI code page survive: the file is written in UTF-16.
    Settings().LanguageName = "日本語";
    Settings().ReferenceImagePath = "C:\\Users\\Мария\\Pictures\\ref.jpg";
    Patterns().TargetGamma = 1.95;
    SaveSettings();
    const char separator = Win32Shell().DecimalSeparator();
    EXPECT_EQ(
        ReadBytes(file),
        Utf16File(std::string("[Settings]\r\nLanguage=日本語\r\n"
                              "ReferenceImage=C:\\Users\\Мария\\Pictures\\ref.jpg\r\nGamma=1") +
                  separator + "95\r\n"));

    Settings() = SettingsValues{};
    Patterns().TargetGamma = 3;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "日本語");
    EXPECT_EQ(Settings().ReferenceImagePath, "C:\\Users\\Мария\\Pictures\\ref.jpg");
    EXPECT_EQ(Patterns().TargetGamma, 1.95);
}

// A file of the earlier versions, in the ANSI code page (1252 here), reads as before, and the
// first save rewrites it in UTF-16 with all it held.
TEST_F(AppSettingsTest, AnAnsiFileReadsAsBeforeAndASaveKeepsItsForeignKeys) {
    const std::string file = folder.path() + "Tonecast.settings";
    WriteBytes(file, "[settings]\r\nlanguage=\r\nTheme=d\xE9j\xE0 vu\r\n[Window]\r\nLeft=10\r\n");
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "");
    EXPECT_EQ(Settings().ReferenceImagePath, folder.path() + "TonecastRef.sRGB.jpg");
    EXPECT_EQ(Patterns().TargetGamma, 2.2);

    Settings().LanguageName = "Français";
    SaveSettings();
    EXPECT_EQ(ReadBytes(file),
              Utf16File("[settings]\r\nlanguage=Français\r\nTheme=déjà vu\r\nReferenceImage=" +
                        folder.path() + "TonecastRef.sRGB.jpg\r\nGamma=2" +
                        Win32Shell().DecimalSeparator() + "2\r\n[Window]\r\nLeft=10\r\n"));

    WriteBytes(file,
               "[Settings]\r\nLanguage=Fran\xE7"
               "ais\r\nReferenceImage=C:\\caf\xE9.jpg\r\n");
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Français");
    EXPECT_EQ(Settings().ReferenceImagePath, "C:\\café.jpg");
}

TEST_F(AppSettingsTest, AbsentKeysAndTheValueLimit) {
    const std::string longPath = "C:\\" + std::string(2997, 'p');
    WriteBytes(folder.path() + "Tonecast.settings",
               "[Settings]\r\nReferenceImage=" + longPath + "\r\n[Gamma]\r\nGamma=1.5\r\n");
    Patterns().TargetGamma = 3;
    Settings().LanguageName = "Deutsch";
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().ReferenceImagePath, longPath.substr(0, 2047));
    EXPECT_EQ(Settings().LanguageName, "English");
    EXPECT_EQ(Patterns().TargetGamma, 2.2);  // only in another section
}

TEST_F(AppSettingsTest, UnwritableSettingsFileRaisesTheError) {
    // A folder where the file should be: the platform cannot write it.
    const std::string file = folder.path() + "Tonecast.settings";
    ASSERT_TRUE(CreateDirectoryW(Widen(file).c_str(), nullptr));
    EXPECT_FALSE(LoadSettings());  // a folder of that name is no settings file
    try {
        SaveSettings();
        FAIL() << "no error raised";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + file);
    }

    // A file another program holds open cannot be replaced: it keeps its bytes, and the copy
    // the keys went into is gone.
    RemoveDirectoryW(Widen(file).c_str());
    const std::string before = Utf16File("[Settings]\r\nLanguage=Deutsch\r\n");
    WriteBytes(file, before);
    {
        const FileHandle held(CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.valid());
        Settings().LanguageName = "Français";
        EXPECT_THROW(SaveSettings(), WriteError);
    }
    EXPECT_EQ(ReadBytes(file), before);
    WIN32_FIND_DATAW found;
    const FindHandle others(FindFirstFileW(Widen(folder.path() + "*.tmp").c_str(), &found));
    EXPECT_FALSE(others) << Narrow(found.cFileName);
}

TEST_F(AppSettingsTest, ForceFoldersCreatesTwoLevels) {
    const std::string upper = folder.path() + "Velmor";
    const std::string lower = upper + "\\Tonecast";
    EXPECT_TRUE(ForceFolders(lower + "\\"));
    EXPECT_TRUE(PathExists(lower));
    EXPECT_TRUE(ForceFolders(lower));
    EXPECT_TRUE(ForceFolders("C:\\"));

    // Below a file nothing can be created.
    WriteBytes(folder.path() + "plain", "x");
    EXPECT_FALSE(ForceFolders(folder.path() + "plain\\sub\\deeper\\"));
    EXPECT_FALSE(PathExists(folder.path() + "plain\\sub"));
}

TEST_F(AppSettingsTest, InstalledProgramUsesProgramData) {
    RelocatedShell installed("C:\\Program Files\\Velmor\\Tonecast\\Tonecast.exe");
    UseShell(installed);
    EXPECT_FALSE(IsOutsideProgramFiles());
    EXPECT_EQ(GetDataFolder(kSubPath), "C:\\ProgramData\\Velmor\\Tonecast\\");
    // Each user's settings in their own AppData; the shared file only for a first start.
    EXPECT_EQ(SettingsFilePath(), installed.SpecialFolderPath(SpecialFolder::kAppData) +
                                      "\\Velmor\\Tonecast\\Tonecast.settings");
    EXPECT_EQ(SharedSettingsFilePath(), "C:\\ProgramData\\Velmor\\Tonecast\\Tonecast.settings");
}

}  // namespace

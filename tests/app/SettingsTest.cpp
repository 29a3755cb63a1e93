// Loading and saving the three preferences over the in-memory profile store, and the locale
// number format of "Gamma".

#include <functional>

#include "AppFixture.h"
#include "base/Errors.h"
#include "base/Text.h"

namespace {

class SettingsTest : public AppFixture {};

TEST_F(SettingsTest, FirstRunKeepsTheDefaultsAndTheFirstSaveWritesAllThreeKeys) {
    Settings().LanguageName = "Deutsch";
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "English");
    EXPECT_EQ(Settings().ReferenceImagePath, "");
    EXPECT_EQ(Patterns().TargetGamma, 2.2);
    EXPECT_FALSE(files.FolderExists(kUserFolder));

    SaveSettings();
    EXPECT_EQ(files.createdFolders,
              (std::vector<std::string>{"C:\\Users\\ann\\AppData\\Roaming\\Velmor",
                                        "C:\\Users\\ann\\AppData\\Roaming\\Velmor\\Tonecast"}));
    EXPECT_EQ(files.Contents(kSettingsFile),
              "[Settings]\r\nLanguage=English\r\nReferenceImage=\r\nGamma=2.2\r\n");
}

TEST_F(SettingsTest, AbsentKeysTakeTheirDefaultsButEmptyValuesStayEmpty) {
    SeedSettings({{"Other", "x"}});
    Settings().ReferenceImagePath = "before";
    Patterns().TargetGamma = 1.5;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "English");
    // The default image lies in the program folder, not in the data folder.
    EXPECT_EQ(Settings().ReferenceImagePath, std::string(kProgramFolder) + "TonecastRef.sRGB.jpg");
    EXPECT_EQ(Patterns().TargetGamma, 2.2);

    SeedSettings({{"Language", ""}, {"ReferenceImage", ""}, {"Gamma", ""}});
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "");
    EXPECT_EQ(Settings().ReferenceImagePath, "");
    EXPECT_EQ(Patterns().TargetGamma, 2.2);
}

TEST_F(SettingsTest, StoredValuesAndNamesInAnyCase) {
    SeedSettings({{"LANGUAGE", "Deutsch"}, {"referenceimage", "D:\\x.jpg"}, {"GAMMA", "1.8"}},
                 "SETTINGS");
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    EXPECT_EQ(Settings().ReferenceImagePath, "D:\\x.jpg");
    EXPECT_EQ(Patterns().TargetGamma, 1.8);
}

// A reference image the file names on a network share or a device is kept, and saved back as it
// was, but not opened; one on a drive is. A settings file larger than any the program writes
// is not read at all.
TEST_F(SettingsTest, OnlyALocalReferenceImageIsTakenAndAnOversizedFileIsNotRead) {
    for (const char* path :
         {"\\\\host\\share\\x.jpg", "//host/share/x.jpg", "\\\\.\\pipe\\x", "\\\\?\\C:\\x.jpg",
          "x.jpg", "C:x.jpg", "C:\\Photos\\nul.jpg", "C:\\com1\\x.jpg"}) {
        SeedSettings({{"ReferenceImage", path}});
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(Settings().ReferenceImagePath, path);
        EXPECT_TRUE(Settings().ReferenceImageRefused) << path;
        SaveSettings();
        std::string stored;
        EXPECT_TRUE(profile.ReadString(kSettingsFile, "Settings", "ReferenceImage", stored));
        EXPECT_EQ(stored, path);
    }
    for (const char* path : {"D:\\Photos\\x.jpg", "d:/Photos/console.jpg", ""}) {
        SeedSettings({{"ReferenceImage", path}});
        EXPECT_TRUE(LoadSettings());
        EXPECT_FALSE(Settings().ReferenceImageRefused) << path;
    }

    const std::string keys = "[Settings]\r\nLanguage=Deutsch\r\n";
    files.AddFile(kSettingsFile, keys + std::string(kMaxSettingsFileBytes - keys.size(), ';'));
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    files.AddFile(kSettingsFile, files.Contents(kSettingsFile) + ";");
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "English");
}

TEST_F(SettingsTest, GammaThatDoesNotConvertOrIsNotAPositiveNumberGives22) {
    for (const char* text :
         {"abc", "2,2", "", "0", "-1.5", "1e999", "inf", "nan", "2.2x", " 2.2", "0x2"}) {
        Patterns().TargetGamma = 1.0;
        SeedSettings({{"Gamma", text}});
        LoadSettings();
        EXPECT_EQ(Patterns().TargetGamma, 2.2) << '"' << text << '"';
    }
    SeedSettings({{"Gamma", "7.5"}});  // no upper limit on load
    LoadSettings();
    EXPECT_EQ(Patterns().TargetGamma, 7.5);
}

TEST_F(SettingsTest, DecimalCommaLocale) {
    shell.decimalSeparator = ',';
    SeedSettings({{"Gamma", "1,75"}});
    LoadSettings();
    EXPECT_EQ(Patterns().TargetGamma, 1.75);
    SeedSettings({{"Gamma", "1.75"}});
    LoadSettings();
    EXPECT_EQ(Patterns().TargetGamma, 2.2);

    Patterns().TargetGamma = 2.35;
    SaveSettings();
    EXPECT_NE(files.Contents(kSettingsFile).find("Gamma=2,35\r\n"), std::string::npos);
}

TEST_F(SettingsTest, SaveKeepsOtherKeysAndSectionsAndTheirOrder) {
    SeedSettings({{"Gamma", "1.8"}, {"Window", "max"}, {"Language", "Deutsch"}});
    ASSERT_TRUE(profile.WriteString(kSettingsFile, "Other", "Key", "v"));
    LoadSettings();
    Settings().LanguageName = "Francais";
    Patterns().TargetGamma = 2.4;
    files.createdFolders.clear();
    SaveSettings();
    EXPECT_TRUE(files.createdFolders.empty());
    EXPECT_EQ(files.Contents(kSettingsFile),
              "[Settings]\r\nGamma=2.4\r\nWindow=max\r\nLanguage=Francais\r\n"
              "ReferenceImage=C:\\Program Files\\Velmor\\Tonecast\\TonecastRef.sRGB.jpg\r\n"
              "[Other]\r\nKey=v\r\n");
}

// A file that never had the option on keeps its three keys (see the first-run test).
TEST_F(SettingsTest, InstallProfileIsOnlyForOneAndIsWrittenOnceItWasEverOn) {
    Settings().InstallProfile = true;
    SaveSettings();
    Settings().InstallProfile = false;
    SaveSettings();
    EXPECT_EQ(files.Contents(kSettingsFile),
              "[Settings]\r\nLanguage=English\r\nReferenceImage=\r\n"
              "Gamma=2.2\r\nInstallProfile=0\r\n");
    for (const auto& [text, on] :
         {std::pair{"1", true}, {"0", false}, {"yes", false}, {"", false}}) {
        SeedSettings({{"InstallProfile", text}});
        ASSERT_TRUE(LoadSettings());
        EXPECT_EQ(Settings().InstallProfile, on) << text;
    }
}

// A key that cannot be written, a full disk and a file that cannot be replaced (held open by
// another program) each end the save with the path and leave the old file byte for byte, with
// no temporary file beside it.
TEST_F(SettingsTest, AFailedSaveLeavesTheFileAsItWasAndNamesIt) {
    SeedSettings({{"Language", "English"}, {"Gamma", "1.8"}});
    const std::string before = files.Contents(kSettingsFile);
    Settings().LanguageName = "Deutsch";
    const std::vector<std::function<void()>> failures = {
        [&] { profile.FailKey("ReferenceImage"); },
        [&] { files.FailWritesUnder(kUserFolder); },
        [&] { files.FailMovesOnto(kSettingsFile); },
    };
    for (size_t i = 0; i < failures.size(); ++i) {
        failures[i]();
        try {
            SaveSettings();
            ADD_FAILURE() << "no error raised, failure " << i;
        } catch (const WriteError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Unable to write to ") + kSettingsFile);
        }
        EXPECT_EQ(files.Contents(kSettingsFile), before) << i;
        EXPECT_EQ(files.ListFolder(kUserFolder, "*"), std::vector<std::string>{"Tonecast.settings"})
            << i;
    }
}

TEST_F(SettingsTest, EachUserStartsOnceFromTheSharedFileThenKeepsTheirOwn) {
    SeedSettings({{"Language", "Deutsch"}, {"Gamma", "1.8"}}, "Settings", kSharedSettingsFile);
    const std::string shared = files.Contents(kSharedSettingsFile);
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    Settings().LanguageName = "Français";
    SaveSettings();
    EXPECT_EQ(files.Contents(kSharedSettingsFile), shared);
    EXPECT_NE(files.Contents(kSettingsFile).find("Language=Français"), std::string::npos);

    // The next run reads the user's own file; a second user still starts from the shared one.
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Français");
    shell.specialFolders[SpecialFolder::kAppData] = "C:\\Users\\bob\\AppData\\Roaming";
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Settings().LanguageName, "Deutsch");
    EXPECT_EQ(Patterns().TargetGamma, 1.8);
}

TEST_F(SettingsTest, PortableProgramKeepsItsSettingsBesideItself) {
    shell.executablePath = "E:\\Tonecast\\Tonecast.exe";
    files.AddFolder("E:\\Tonecast");
    EXPECT_EQ(SettingsFilePath(), "E:\\Tonecast\\Tonecast.settings");
    SaveSettings();
    EXPECT_TRUE(files.createdFolders.empty());
    EXPECT_TRUE(files.FileExists("E:\\Tonecast\\Tonecast.settings"));
}

TEST(DecimalText, FormatsWithUpTo15SignificantDigits) {
    EXPECT_EQ(FormatDecimal(2.2, '.'), "2.2");
    EXPECT_EQ(FormatDecimal(2.2, ','), "2,2");
    EXPECT_EQ(FormatDecimal(3.0, '.'), "3");
    EXPECT_EQ(FormatDecimal(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(FormatDecimal(2.05 + 0.1, '.'), "2.15");  // the binary noise is below 15 digits

    EXPECT_DOUBLE_EQ(ParseDecimal(FormatDecimal(1.0 / 3.0, ','), ',').value_or(0),
                     0.333333333333333);
    EXPECT_EQ(ParseDecimal("+2.", '.'), 2.0);
    EXPECT_EQ(ParseDecimal(".5", '.'), 0.5);
    EXPECT_EQ(ParseDecimal("25E-1", '.'), 2.5);
    for (const char* bad : {".", "+", "1e", "1e+", "1.2.3", "1,2", "--1", "1 "})
        EXPECT_EQ(ParseDecimal(bad, '.'), std::nullopt) << bad;
}

}  // namespace

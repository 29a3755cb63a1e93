#pragma once
// The application frame over in-memory doubles: an installed program by default (under
// "C:\Program Files"), nothing on disk but the program folder.

#include <gtest/gtest.h>

#include "app/Language.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "base/Path.h"
#include "fakes/FakeProfile.h"
#include "fakes/FakeShell.h"
#include "fakes/ManualClock.h"
#include "fakes/MemoryFileSystem.h"
#include "ramp/Correction.h"

class AppFixture : public ::testing::Test {
protected:
    static constexpr const char* kProgramFolder = "C:\\Program Files\\Velmor\\Tonecast\\";
    static constexpr const char* kDataFolder = "C:\\ProgramData\\Velmor\\Tonecast\\";
    static constexpr const char* kUserFolder =
        "C:\\Users\\ann\\AppData\\Roaming\\Velmor\\Tonecast\\";
    static constexpr const char* kSettingsFile =
        "C:\\Users\\ann\\AppData\\Roaming\\Velmor\\Tonecast\\Tonecast.settings";
    // Where earlier versions kept every user's settings.
    static constexpr const char* kSharedSettingsFile =
        "C:\\ProgramData\\Velmor\\Tonecast\\Tonecast.settings";

    void SetUp() override {
        files.AddFolder(kProgramFolder);
        files.AddFolder("C:\\ProgramData");
        files.AddFolder("C:\\Users\\ann\\AppData\\Roaming");
        UseFileSystem(files);
        UseShell(shell);
        UseProfileStore(profile);
        UseClock(clock);
        Settings() = SettingsValues{};
        Patterns() = PatternSettings{};
        ResetLanguageTable();
    }
    void TearDown() override { ResetLanguageTable(); }

    // A settings file as an earlier run (or the user) left it.
    void SeedSettings(std::initializer_list<std::pair<const char*, const char*>> keys,
                      const char* section = "Settings", const char* file = kSettingsFile) {
        files.AddFolder(FolderPart(file));
        for (const auto& [key, value] : keys)
            ASSERT_TRUE(profile.WriteString(file, section, key, value));
        profile.writes.clear();
        files.writes.clear();
    }

    MemoryFileSystem files;
    FakeShell shell;
    FakeProfile profile{&files};
    ManualClock clock;
};

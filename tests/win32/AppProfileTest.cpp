// The settings file through the real private-profile functions: exact bytes on disk, names
// in any case, other keys kept, empty against absent, and the 2,047-byte limit.

#include <gtest/gtest.h>

#include "win32/Win32AppServices.h"

#include "AppTempFolder.h"

namespace {

class AppProfileTest : public ::testing::Test {
protected:
    std::string Read(const char* section, const char* key, bool* found = nullptr) {
        std::string value = "<untouched>";
        const bool present = Win32Profile().ReadString(file, section, key, value);
        if (found)
            *found = present;
        return value;
    }

    TempFolder folder;
    const std::string file = folder.path() + "Tonecast.settings";
};

TEST_F(AppProfileTest, NewFileHoldsTheKeysInWritingOrder) {
    ProfileStore& store = Win32Profile();
    ASSERT_TRUE(store.WriteString(file, "Settings", "Language", "English"));
    ASSERT_TRUE(store.WriteString(file, "Settings", "ReferenceImage", ""));
    ASSERT_TRUE(store.WriteString(file, "Settings", "Gamma", "2.2"));
    store.Flush(file);
    EXPECT_EQ(ReadBytes(file),
              "[Settings]\r\nLanguage=English\r\nReferenceImage=\r\nGamma=2.2\r\n");
}

TEST_F(AppProfileTest, NamesMatchInAnyCaseAndOtherKeysStay) {
    WriteBytes(file, "[Other]\r\nA=1\r\n[SETTINGS]\r\nGAMMA=1.8\r\nWindow=max\r\n");
    EXPECT_EQ(Read("Settings", "Gamma"), "1.8");

    ASSERT_TRUE(Win32Profile().WriteString(file, "settings", "gamma", "2.4"));
    ASSERT_TRUE(Win32Profile().WriteString(file, "Settings", "Language", "Deutsch"));
    Win32Profile().Flush(file);
    EXPECT_EQ(ReadBytes(file),
              "[Other]\r\nA=1\r\n[SETTINGS]\r\nGAMMA=2.4\r\nWindow=max\r\nLanguage=Deutsch\r\n");
}

TEST_F(AppProfileTest, EmptyValueIsNotAnAbsentKey) {
    WriteBytes(file, "[Settings]\r\nLanguage=\r\n");
    bool found = false;
    EXPECT_EQ(Read("Settings", "Language", &found), "");
    EXPECT_TRUE(found);
    EXPECT_EQ(Read("Settings", "Gamma", &found), "<untouched>");
    EXPECT_FALSE(found);
    EXPECT_EQ(Read("Missing", "Language", &found), "<untouched>");
    EXPECT_FALSE(found);

    const std::string noFile = folder.path() + "none.settings";
    std::string value;
    EXPECT_FALSE(Win32Profile().ReadString(noFile, "Settings", "Language", value));
}

TEST_F(AppProfileTest, AtMost2047BytesOfAValueAreRead) {
    const std::string longValue = "C:\\" + std::string(2997, 'p');
    WriteBytes(file, "[Settings]\r\nReferenceImage=" + longValue + "\r\nGamma=1.9\r\n");
    EXPECT_EQ(Read("Settings", "ReferenceImage"), longValue.substr(0, 2047));
    EXPECT_EQ(Read("Settings", "Gamma"), "1.9");
}

TEST_F(AppProfileTest, WritingIntoAMissingFolderFails) {
    const std::string nowhere = folder.path() + "no\\such\\Tonecast.settings";
    EXPECT_FALSE(Win32Profile().WriteString(nowhere, "Settings", "Language", "English"));
}

}  // namespace

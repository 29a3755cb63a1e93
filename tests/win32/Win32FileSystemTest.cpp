// The Win32 file system under Wine, in a private folder below the prefix's temp folder.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/AllOrNothing.h"
#include "base/Errors.h"
#include "fakes/FakeDisplayPort.h"
#include "ramp/RampFile.h"
#include "win32/Win32Clock.h"
#include "win32/Win32FileSystem.h"

// Last: its macros would rename the interface methods declared above.
#include <windows.h>
#undef ReplaceFile

#include "AppTempFolder.h"
#include "win32/Win32Handles.h"

namespace {

std::string ReadTestData(const std::string& name) {
    std::ifstream in(std::string(TONECAST_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    std::string Contents(const std::string& path) {
        std::string text;
        EXPECT_TRUE(files.ReadFile(path, text, 1 << 20)) << path;
        return text;
    }

    Win32FileSystem files;
    TempFolder temp;
    const std::string folder = temp.path();
};

TEST_F(Win32FileSystemTest, ReplaceWritesExactBytesAndLeavesNoTemporaryFile) {
    const std::string path = folder + "a.lut";
    const std::string first("line\r\nzero\0byte\n", 16);
    for (const auto replace : {&FileSystem::ReplaceFile, &FileSystem::ReplaceFileUnflushed}) {
        (files.*replace)(path, first);
        EXPECT_EQ(Contents(path), first);
        (files.*replace)(path, "second");
        EXPECT_EQ(Contents(path), "second");
        (files.*replace)(path, "");
        EXPECT_EQ(Contents(path), "");
        EXPECT_EQ(files.ListFolder(folder, "*"), (std::vector<std::string>{"a.lut"}));
    }

    // Temporary names nobody can take beforehand: fresh random ones, never an existing file.
    const std::string one = files.WriteTemporaryBeside(path, "1");
    const std::string two = files.WriteTemporaryBeside(path, "2");
    EXPECT_NE(one, two);
    for (const std::string& temporary : {one, two}) {
        const std::string name = temporary.substr(folder.size());
        EXPECT_EQ(name.size(), 24u) << name;
        EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF", 4), 20u) << name;
        EXPECT_EQ(name.substr(0, 4) + name.substr(20), "~tnc.tmp");
    }
    EXPECT_EQ(Contents(two), "2");
}

TEST_F(Win32FileSystemTest, FailedReplaceKeepsTheOldFileAndReportsThePlatformError) {
    const std::string path = folder + "Tonecast1.lut";
    files.ReplaceFile(path, "good calibration");
    // Held open without sharing, the old file cannot be replaced.
    FileHandle held(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    try {
        files.ReplaceFile(path, "new");
        ADD_FAILURE() << "no error";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.code, ERROR_ACCESS_DENIED);
        EXPECT_STREQ(error.what(), "Access denied.");
    }
    held.Close();
    EXPECT_EQ(Contents(path), "good calibration");
    EXPECT_EQ(files.ListFolder(folder, "*"), (std::vector<std::string>{"Tonecast1.lut"}));
}

// Two files saved as one, the second held open by another program: the first, already moved
// into place, is taken back, and both are as they were, byte for byte.
TEST_F(Win32FileSystemTest, AFailedSaveOfSeveralFilesLeavesEveryFileAsItWas) {
    UseFileSystem(files);
    const std::string first = folder + "Tonecast1.lut", second = folder + "Tonecast2.lut";
    files.ReplaceFile(first, "first calibration");
    files.ReplaceFile(second, "second calibration");
    FileHandle held(
        CreateFileW(Widen(second).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    try {
        SaveAllOrNothing({{first, "new first"}, {second, "new second"}});
        ADD_FAILURE() << "no error";
    } catch (const SaveError& error) {
        EXPECT_EQ(error.path, second);
        EXPECT_EQ(error.code, ERROR_SHARING_VIOLATION);
    }
    held.Close();
    EXPECT_EQ(Contents(first), "first calibration");
    EXPECT_EQ(Contents(second), "second calibration");
    EXPECT_EQ(files.ListFolder(folder, "*"),
              (std::vector<std::string>{"Tonecast1.lut", "Tonecast2.lut"}));
    SaveAllOrNothing({{first, "new first"}, {second, "new second"}});
    EXPECT_EQ(Contents(second), "new second");
    EXPECT_EQ(files.ListFolder(folder, "*").size(), 2u);
}

TEST_F(Win32FileSystemTest, ReplaceInAMissingFolderFailsWithoutCreatingIt) {
    try {
        files.ReplaceFile(folder + "missing\\Tonecast1.lut", "x");
        FAIL() << "no error";
    } catch (const InOutError& error) {
        // The temporary file is made first, so the folder is what the platform objects to.
        EXPECT_EQ(error.code, ERROR_PATH_NOT_FOUND);
    }
    EXPECT_FALSE(files.FolderExists(folder + "missing"));
}

TEST_F(Win32FileSystemTest, FilesFoldersAndListing) {
    files.ReplaceFile(folder + "English.lng", "a");
    files.ReplaceFile(folder + "Deutsch.lng", "b");
    files.ReplaceFile(folder + "notes.txt", "c");
    ASSERT_TRUE(files.CreateFolder(folder + "sub.lng"));
    EXPECT_FALSE(files.CreateFolder(folder + "sub.lng"));
    EXPECT_FALSE(files.CreateFolder(folder + "no\\such"));

    EXPECT_TRUE(files.FileExists(folder + "english.LNG"));
    EXPECT_FALSE(files.FileExists(folder + "sub.lng"));
    EXPECT_TRUE(files.FolderExists(folder + "sub.lng"));
    EXPECT_FALSE(files.FolderExists(folder + "notes.txt"));

    std::vector<std::string> names = files.ListFolder(folder, "*.lng");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Deutsch.lng", "English.lng", "sub.lng"}));
    EXPECT_TRUE(files.ListFolder(folder + "none\\", "*").empty());

    std::string text = "kept";
    EXPECT_FALSE(files.ReadFile(folder + "missing.lng", text, 10));
    EXPECT_FALSE(files.ReadFile(folder + "none\\missing.lng", text, 10));
    EXPECT_EQ(text, "kept");

    // A file up to the caller's limit is read whole; one byte more and nothing is.
    files.ReplaceFile(folder + "ten.lng", "0123456789");
    EXPECT_TRUE(files.ReadFile(folder + "ten.lng", text, 10));
    EXPECT_EQ(text, "0123456789");
    text = "kept";
    try {
        files.ReadFile(folder + "ten.lng", text, 9);
        ADD_FAILURE() << "no error";
    } catch (const TooLargeError& error) {
        EXPECT_EQ(error.code, ERROR_FILE_TOO_LARGE);
        EXPECT_STREQ(error.what(), "The file is larger than the 9 bytes allowed");
    }
    EXPECT_EQ(text, "kept");
}

TEST_F(Win32FileSystemTest, FileTimeIsLocalTimeInDays) {
    files.ReplaceFile(folder + "Uninstall.exe", "x");
    double days = 0;
    ASSERT_TRUE(files.FileTimeLocal(folder + "Uninstall.exe", days));
    const double now = Win32Clock().NowLocalDays();
    EXPECT_NEAR(days, now, 1.0 / 24 / 60);  // written a moment ago, in the same time zone
    EXPECT_FALSE(files.FileTimeLocal(folder + "missing.exe", days));
    EXPECT_FALSE(files.FileTimeLocal(folder, days));
}

TEST(Win32ClockTest, DaysCountFrom1899December30) {
    EXPECT_DOUBLE_EQ(FileTimeTicksToDays(0), -109205.0);
    // 2000-01-01 00:00 is day 36526; 12:00 is half a day on.
    const unsigned long long ticksPerDay = 864000000000ULL;
    EXPECT_DOUBLE_EQ(FileTimeTicksToDays((36526ULL + 109205ULL) * ticksPerDay + ticksPerDay / 2),
                     36526.5);
}

TEST_F(Win32FileSystemTest, RampFilesThroughTheWin32Calls) {
    UseFileSystem(files);
    FakeDisplayPort port;
    UseDisplayPort(port);
    Engine() = DisplayState{};
    port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
    port.AddMonitor("\\\\.\\DISPLAY2", {1920, 0, 3840, 1080});
    EnumDisplays();

    const std::string path = RampFileName(folder, 0);
    ASSERT_TRUE(WriteRampFile(TCorrection{}, 0, path));
    // An earlier version's bytes, then the line naming the monitor.
    EXPECT_EQ(Contents(path),
              ReadTestData("RampCleared.lut") + "Monitor=" + port.monitors[0].deviceId + "\r\n");

    TCorrection c;
    c.Gamma = -17;
    c.PointOn[40] = 1;
    c.Point[40] = 30;
    InterpolatePoints(c);
    ASSERT_TRUE(WriteRampFile(c, 0, path));
    TCorrection back;
    std::string device;
    ASSERT_TRUE(ReadRampFile(back, device, path));
    EXPECT_EQ(back, c);
    EXPECT_EQ(device, "\\\\.\\DISPLAY1");

    // /load with display 1's file held open by another program without sharing: that display
    // fades to the identity, display 2 still to its correction.
    ASSERT_TRUE(WriteRampFile(c, 1, RampFileName(folder, 1)));
    FileHandle held(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    static Win32Clock clock;
    UseClock(clock);
    EXPECT_TRUE(LoadAndApplyAll(folder));
    held.Close();
    Ramp identity, corrected;
    LinearRamp(identity);
    BuildRamp(c, corrected);
    EXPECT_EQ(port.monitors[0].ramp, identity);
    EXPECT_EQ(port.monitors[1].ramp, corrected);
    Engine() = DisplayState{};
    // Later tests in this executable may still reach Files() and Port(): leave them on
    // objects that outlive this test instead of on its locals.
    static Win32FileSystem lastingFiles;
    static FakeDisplayPort idlePort;
    UseFileSystem(lastingFiles);
    UseDisplayPort(idlePort);
}

}  // namespace

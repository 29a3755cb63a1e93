// Folder rules with injected special folders, ForceFolders over the in-memory file system,
// and what the shortcut, the file dialog and URL opening hand to the platform.

#include "AppFixture.h"
#include "app/Execute.h"
#include "app/Folders.h"
#include "app/Shortcut.h"
#include "app/SysDialogs.h"
#include "base/Errors.h"
#include "base/Path.h"

namespace {

class FoldersTest : public AppFixture {};

TEST_F(FoldersTest, InstalledModeUsesTheSharedAndUserApplicationData) {
    EXPECT_EQ(GetProgramFolder(), kProgramFolder);
    EXPECT_EQ(GetProgramFilesFolder(), "C:\\Program Files");
    EXPECT_FALSE(IsOutsideProgramFiles());
    EXPECT_EQ(GetDataFolder(kSubPath), kDataFolder);
    EXPECT_EQ(GetUserFolder(kSubPath), kUserFolder);

    // Letter case does not matter.
    shell.executablePath = "c:\\program files\\velmor\\tonecast\\Tonecast.exe";
    EXPECT_FALSE(IsOutsideProgramFiles());
    // A substring test: the sibling "Program Files (x86)" counts as installed.
    shell.executablePath = "C:\\Program Files (x86)\\Velmor\\Tonecast\\Tonecast.exe";
    EXPECT_FALSE(IsOutsideProgramFiles());
    EXPECT_EQ(GetDataFolder(kSubPath), kDataFolder);
}

TEST_F(FoldersTest, PortableModeUsesTheProgramFolder) {
    shell.executablePath = "E:\\Tools\\Tonecast/Tonecast.exe";  // the last delimiter may be "/"
    EXPECT_EQ(GetProgramFolder(), "E:\\Tools\\Tonecast/");
    EXPECT_TRUE(IsOutsideProgramFiles());
    EXPECT_EQ(GetDataFolder(kSubPath), "E:\\Tools\\Tonecast/");
    EXPECT_EQ(GetUserFolder(kSubPath), "E:\\Tools\\Tonecast/");

    // Without a Program Files folder every place is portable.
    shell.executablePath = "C:\\Program Files\\Velmor\\Tonecast\\Tonecast.exe";
    shell.specialFolders.erase(SpecialFolder::kProgramFiles);
    EXPECT_TRUE(IsOutsideProgramFiles());
    EXPECT_EQ(GetDataFolder(kSubPath), kProgramFolder);
}

TEST_F(FoldersTest, MissingSpecialFolderFallsBackToTheProgramFolder) {
    shell.specialFolders.erase(SpecialFolder::kCommonAppData);
    EXPECT_EQ(GetDataFolder(kSubPath), kProgramFolder);
    EXPECT_EQ(GetUserFolder(kSubPath), kUserFolder);
    shell.specialFolders.erase(SpecialFolder::kAppData);
    EXPECT_EQ(GetUserFolder(kSubPath), kProgramFolder);
}

TEST_F(FoldersTest, SpecialFoldersAreAskedForEveryTime) {
    GetDataFolder(kSubPath);
    shell.specialFolders[SpecialFolder::kCommonAppData] = "D:\\Shared";
    EXPECT_EQ(GetDataFolder(kSubPath), "D:\\Shared\\Velmor\\Tonecast\\");
}

TEST(PathParts, ABackslashASlashAndADrivesColonEachEndAFolder) {
    EXPECT_EQ(FolderPart("C:\\Pictures\\a.jpg"), "C:\\Pictures\\");
    EXPECT_EQ(FileNamePart("C:\\Pictures\\a.jpg"), "a.jpg");
    EXPECT_EQ(FolderPart("C:/Pictures/a.jpg"), "C:/Pictures/");
    EXPECT_EQ(FolderPart("D:a.jpg"), "D:");
    EXPECT_EQ(FileNamePart("D:a.jpg"), "a.jpg");
    EXPECT_EQ(FolderPart("a.jpg"), "");
    EXPECT_EQ(FileNamePart("a.jpg"), "a.jpg");
    EXPECT_EQ(FileNamePart("C:\\Pictures\\"), "");
}

TEST_F(FoldersTest, ForceFoldersCreatesFromTheRootDown) {
    EXPECT_TRUE(ForceFolders("C:\\ProgramData\\Velmor\\Tonecast\\"));
    EXPECT_EQ(
        files.createdFolders,
        (std::vector<std::string>{"C:\\ProgramData\\Velmor", "C:\\ProgramData\\Velmor\\Tonecast"}));
    EXPECT_TRUE(files.FolderExists(kDataFolder));

    files.createdFolders.clear();
    EXPECT_TRUE(ForceFolders("C:\\ProgramData\\Velmor\\Tonecast"));  // existing: nothing to do
    EXPECT_TRUE(ForceFolders("C:\\"));                               // a drive root
    EXPECT_TRUE(ForceFolders("C:"));
    EXPECT_TRUE(ForceFolders(""));
    EXPECT_TRUE(files.createdFolders.empty());
}

TEST_F(FoldersTest, ForceFoldersStopsAtTheFirstLevelThatCannotBeCreated) {
    files.FailCreateFolder("C:\\ProgramData\\A");
    EXPECT_FALSE(ForceFolders("C:\\ProgramData\\A\\B\\C"));
    EXPECT_TRUE(files.createdFolders.empty());

    files.FailCreateFolder("C:\\ProgramData\\X\\Y");
    EXPECT_FALSE(ForceFolders("C:\\ProgramData\\X\\Y\\Z\\"));
    EXPECT_EQ(files.createdFolders, std::vector<std::string>{"C:\\ProgramData\\X"});
}

TEST_F(FoldersTest, ShortcutIsCreatedFirstAndSavedOnlyWithAStartupFolder) {
    const std::string target = std::string(kProgramFolder) + "Tonestart.exe";
    shell.startupValue = "C:\\Users\\ann\\Start Menu\\Programs\\Startup";
    EnsureStartupShortcut(target);
    EXPECT_EQ(shell.linkCalls,
              (std::vector<std::string>{
                  "SetPath " + target, "SetArguments ",
                  "Save C:\\Users\\ann\\Start Menu\\Programs\\Startup\\Tonestart.lnk"}));

    shell.linkCalls.clear();
    shell.startupValue.clear();
    EnsureStartupShortcut(target);
    EXPECT_EQ(shell.linkCalls, (std::vector<std::string>{"SetPath " + target, "SetArguments "}));

    shell.linkCalls.clear();
    shell.linkCreationFails = true;
    try {
        EnsureStartupShortcut(target);
        FAIL() << "no error raised";
    } catch (const OleError& e) {
        EXPECT_STREQ(e.what(),
                     "Class not registered, ClassID: {00021401-0000-0000-C000-000000000046}");
    }
    EXPECT_TRUE(shell.linkCalls.empty());
}

TEST_F(FoldersTest, FileDialogRequestAndResult) {
    std::string fileName = "old.jpg";
    EXPECT_FALSE(ShowFileDialog(7, "", "JPEG image|*.jpg", "", "", fileName));
    EXPECT_EQ(fileName, "old.jpg");  // cancelled: unchanged
    ASSERT_EQ(shell.dialogs.size(), 1u);
    const FileDialogRequest& open = shell.dialogs[0];
    EXPECT_EQ(open.owner, 7u);
    EXPECT_EQ(open.filterList, std::string("JPEG image\0*.jpg\0", 17));
    EXPECT_EQ(open.fileBuffer, "old.jpg");

    shell.dialogConfirms = true;
    shell.dialogChoice = "D:\\Pictures\\new.jpg";
    EXPECT_TRUE(ShowFileDialog(0, "jpg", "", "D:\\", "Choose", fileName));
    EXPECT_EQ(fileName, "D:\\Pictures\\new.jpg");
    const FileDialogRequest& second = shell.dialogs[1];
    EXPECT_EQ(second.filterList, std::string(1, '\0'));  // an empty list
    EXPECT_EQ(second.defaultExt, "jpg");
    EXPECT_EQ(second.title, "Choose");
    EXPECT_EQ(second.initialFolder, "D:\\");

    // The initial name is cut to what the 5,201-byte buffer holds.
    std::string longName(6000, 'n');
    ShowFileDialog(0, "", "", "", "", longName);
    EXPECT_EQ(shell.dialogs[2].fileBuffer, std::string(5200, 'n'));
}

TEST_F(FoldersTest, OpenUrlFallsBackToExplorerOnlyWhenTheShellFails) {
    OpenUrl("https://example.test/a?b=1");
    EXPECT_EQ(shell.openedUrls, std::vector<std::string>{"https://example.test/a?b=1"});
    EXPECT_TRUE(shell.commands.empty());

    shell.shellOpenResult = 32;  // the platform's highest failure code
    OpenUrl("https://example.test/a?b=1");
    EXPECT_EQ(shell.commands,
              std::vector<std::string>{"explorer.exe \"https://example.test/a?b=1\""});
    shell.shellOpenResult = 33;
    OpenUrl("https://example.test/");
    EXPECT_EQ(shell.commands.size(), 1u);
}

}  // namespace

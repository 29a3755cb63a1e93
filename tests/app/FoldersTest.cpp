// Folder rules with injected special folders, ForceFolders over the in-memory file system,
// and what the shortcut, the file dialog and URL opening hand to the platform.

#include "AppFixture.h"
#include "app/Execute.h"
#include "app/Folders.h"
#include "app/Shortcut.h"
#include "app/SysDialogs.h"
#include "base/AllOrNothing.h"
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

TEST(PathParts, ALocalDiskPathIsAFullPathOnADriveNamingNoDevice) {
    for (const char* path : {"C:\\Pictures\\a.jpg", "z:/a.jpg", "C:\\Con-trol\\Nul1.jpg",
                             "C:\\COM10.jpg", "C:\\x\\.jpg"})
        EXPECT_TRUE(IsLocalDiskPath(path)) << path;
    for (const char* path :
         {"", "C:", "C:\\", "C:a.jpg", "a.jpg", "\\a.jpg", "\\\\host\\share\\a.jpg",
          "//host/share/a.jpg", "\\\\.\\pipe\\tonecast", "\\\\?\\C:\\a.jpg",
          "\\\\?\\UNC\\host\\a.jpg", "1:\\a.jpg", "C:\\CON", "C:\\Photos\\aux.jpg",
          "C:\\Photos\\Com1 .jpg", "C:\\lpt9\\a.jpg", "C:\\conin$"})
        EXPECT_FALSE(IsLocalDiskPath(path)) << path;
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

TEST_F(FoldersTest, ShortcutIsPreparedOnlyWithAStartupFolder) {
    const std::string target = std::string(kProgramFolder) + "Tonestart.exe";
    shell.specialFolders[SpecialFolder::kStartup] = "C:\\Users\\ann\\Start Menu\\Programs\\Startup";
    const std::optional<PreparedFile> link = PrepareStartupShortcut(target);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->path, "C:\\Users\\ann\\Start Menu\\Programs\\Startup\\Tonestart.lnk");
    EXPECT_EQ(link->contents, "LNK|SetPath " + target + "|SetArguments ");

    shell.specialFolders.erase(SpecialFolder::kStartup);
    EXPECT_FALSE(PrepareStartupShortcut(target));

    shell.linkCalls.clear();
    shell.linkCreationFails = true;
    try {
        PrepareStartupShortcut(target);
        FAIL() << "no error raised";
    } catch (const OleError& e) {
        EXPECT_STREQ(e.what(),
                     "Class not registered, ClassID: {00021401-0000-0000-C000-000000000046}");
    }
    EXPECT_TRUE(shell.linkCalls.empty());
}

// Three files, of which the second replaces an old one and the third cannot be put in place:
// the old second file is moved back over the new one, then the new first one (which had no
// predecessor) is deleted; nothing else is left on the disk.
TEST_F(FoldersTest, AFailedSaveTakesThePlacedFilesBackLastFirst) {
    const std::string a = std::string(kDataFolder) + "a.lut",
                      b = std::string(kDataFolder) + "b.lut",
                      c = std::string(kDataFolder) + "c.lnk";
    files.AddFile(b, "old b");
    files.FailMovesOnto(c);
    try {
        SaveAllOrNothing({{a, "new a"}, {b, "new b"}, {c, "new c"}});
        FAIL() << "no error raised";
    } catch (const SaveError& e) {
        EXPECT_EQ(e.path, c);
        EXPECT_STREQ(e.what(), "File access denied");
    }
    const std::string t = kDataFolder;
    EXPECT_EQ(files.moves,
              (std::vector<std::string>{t + "tnc1.tmp -> " + a, b + " -> " + t + "tnc3.tmp",
                                        t + "tnc2.tmp -> " + b, t + "tnc3.tmp -> " + b}));
    EXPECT_EQ(files.ListFolder(kDataFolder, "*"), std::vector<std::string>{"b.lut"});
    EXPECT_EQ(files.Contents(b), "old b");

    // A full disk stops the save before any file is touched; a save that works leaves only
    // its files.
    files.FailWritesUnder(c);
    EXPECT_THROW(SaveAllOrNothing({{b, "new b"}, {c, "new c"}}), SaveError);
    EXPECT_EQ(files.ListFolder(kDataFolder, "*"), std::vector<std::string>{"b.lut"});
    SaveAllOrNothing({{a, "new a"}, {b, "new b"}});
    EXPECT_EQ(files.ListFolder(kDataFolder, "*"), (std::vector<std::string>{"a.lut", "b.lut"}));
    EXPECT_EQ(files.Contents(b), "new b");
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
    EXPECT_EQ(shell.commands, std::vector<std::string>{
                                  "\"C:\\Windows\\explorer.exe\" \"https://example.test/a?b=1\""});
    shell.shellOpenResult = 33;
    OpenUrl("https://example.test/");
    EXPECT_EQ(shell.commands.size(), 1u);

    // Elevated, only the desktop shell opens it, as the signed-in user; without one, nothing.
    shell.elevated = true;
    OpenUrl("https://example.test/e");
    shell.desktopShellAnswers = false;
    OpenUrl("https://example.test/f");
    EXPECT_EQ(shell.urlsOpenedAsUser, std::vector<std::string>{"https://example.test/e"});
    EXPECT_EQ(shell.openedUrls.size(), 3u);
    EXPECT_EQ(shell.commands.size(), 1u);
}

}  // namespace

// The shell side of the application frame against the real platform: folders, the start-up
// shortcut written where a test's registry value points, and the open dialog.

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "app/Platform.h"
#include "app/Shortcut.h"
#include "app/SysDialogs.h"
#include "base/Errors.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Handles.h"

#include "AppTempFolder.h"

#include <commdlg.h>
#include <dlgs.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace {

// Where the shell keeps the user's own choice of each folder, which the known-folder lookup reads.
constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the user's Startup folder somewhere else for one test, and puts the original back
// afterwards, so the real Startup folder is never written.
class StartupValueOverride {
public:
    StartupValueOverride() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key_.OutPointer(), nullptr);
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), L"Startup", nullptr, &type_, nullptr, &size) ==
            ERROR_SUCCESS) {
            saved_.resize(size);
            RegQueryValueExW(key_.get(), L"Startup", nullptr, &type_, saved_.data(), &size);
            hadValue_ = true;
        }
    }
    ~StartupValueOverride() {
        if (hadValue_)
            RegSetValueExW(key_.get(), L"Startup", 0, type_, saved_.data(),
                           static_cast<DWORD>(saved_.size()));
        else
            RegDeleteValueW(key_.get(), L"Startup");
        // A lookup writes the folder it found into the legacy "Shell Folders" copy, which other
        // tests and installers read: look it up once more, back at the real folder.
        Win32Shell().SpecialFolderPath(SpecialFolder::kStartup);
    }
    StartupValueOverride(const StartupValueOverride&) = delete;
    StartupValueOverride& operator=(const StartupValueOverride&) = delete;

    void Set(const std::string& folder) {
        const std::wstring value = Widen(folder);
        RegSetValueExW(key_.get(), L"Startup", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    RegistryKey key_;
    DWORD type_ = REG_SZ;
    std::vector<BYTE> saved_;
    bool hadValue_ = false;
};

class AppShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        UseShell(Win32Shell());
    }
    void TearDown() override { CoUninitialize(); }
    TempFolder folder;
};

TEST_F(AppShellTest, ExecutableAndSpecialFolders) {
    const std::string exe = Win32Shell().ExecutablePath();
    EXPECT_EQ(exe.substr(exe.size() - 15), "win32_tests.exe");
    EXPECT_EQ(exe[1], ':');
    EXPECT_EQ(Win32Shell().SpecialFolderPath(SpecialFolder::kCommonAppData), "C:\\ProgramData");
    EXPECT_EQ(Win32Shell().SpecialFolderPath(SpecialFolder::kProgramFiles), "C:\\Program Files");
    EXPECT_EQ(Win32Shell().SpecialFolderPath(SpecialFolder::kWindows), "C:\\windows");
    const std::string appData = Win32Shell().SpecialFolderPath(SpecialFolder::kAppData);
    EXPECT_EQ(appData.substr(appData.size() - 16), "\\AppData\\Roaming");
    // A folder the platform does not know.
    EXPECT_EQ(Win32Shell().SpecialFolderPath(static_cast<SpecialFolder>(0x7F)), "");
    EXPECT_EQ(Win32Shell().UpperCase("c:\\program files (x86)"), "C:\\PROGRAM FILES (X86)");
    EXPECT_EQ(Win32Shell().UpperCase("d:\\мария\\dvořák"), "D:\\МАРИЯ\\DVOŘÁK");
}

TEST_F(AppShellTest, ShortcutGoesIntoTheUsersStartupFolder) {
    StartupValueOverride startup;
    // A program in a folder whose name the ANSI code page cannot spell.
    const std::string target = folder.path() + "Tonestart.exe";
    WriteBytes(target, "MZ");
    const std::string startupFolder = folder.path() + "Start Up";
    CreateDirectoryW(Widen(startupFolder).c_str(), nullptr);
    startup.Set(startupFolder);

    const std::string link = startupFolder + "\\Tonestart.lnk";
    const std::optional<PreparedFile> prepared = PrepareStartupShortcut(target);
    ASSERT_TRUE(prepared);
    EXPECT_EQ(prepared->path, link);
    WriteBytes(link, prepared->contents);
    const std::string bytes = ReadBytes(link);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\x00\x00\x00", 4));

    ComPtr<IShellLinkW> shellLink;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, shellLink.OutPointer())));
    ComPtr<IPersistFile> file;
    shellLink->QueryInterface(IID_IPersistFile, file.OutPointer());
    ASSERT_TRUE(SUCCEEDED(file->Load(Widen(link).c_str(), STGM_READ)));
    // The item the shell starts, which names the target in full (under Wine the link's plain
    // path holds only what the ANSI code page can spell).
    ItemIdList item;
    ASSERT_TRUE(SUCCEEDED(shellLink->GetIDList(item.OutPointer())));
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListW(item.get(), path));
    EXPECT_EQ(Narrow(path), target);
    wchar_t arguments[MAX_PATH] = L"x";
    shellLink->GetArguments(arguments, MAX_PATH);
    EXPECT_STREQ(arguments, L"");
}

TEST_F(AppShellTest, LinkObjectThatCannotBeCreatedRaisesOleError) {
    // A thread that never initialised COM cannot create the object.
    std::string message;
    std::thread([&] {
        try {
            PrepareStartupShortcut(folder.path() + "Tonestart.exe");
        } catch (const OleError& e) {
            message = e.what();
        }
    }).join();
    const std::string suffix = ", ClassID: {00021401-0000-0000-C000-000000000046}";
    ASSERT_GT(message.size(), suffix.size()) << message;
    EXPECT_EQ(message.substr(message.size() - suffix.size()), suffix);
}

// Waits for the dialog with `title`, then either cancels it or types `answer` and confirms.
class DialogDriver {
public:
    DialogDriver(const char* title, std::string answer)
        : title_(title), answer_(std::move(answer)), thread_([this] { Drive(); }) {}
    ~DialogDriver() { thread_.join(); }
    bool sawDialog() const { return saw_; }

private:
    void Drive() {
        for (int tries = 0; tries < 200; ++tries) {
            HWND dialog = FindWindowW(L"#32770", Widen(title_).c_str());
            if (dialog) {
                saw_ = true;
                if (answer_.empty()) {
                    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                } else {
                    // The file name box is an edit or a combo box, depending on the style.
                    SetDlgItemTextW(dialog, edt1, Widen(answer_).c_str());
                    SetDlgItemTextW(dialog, cmb13, Widen(answer_).c_str());
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                }
                return;
            }
            Sleep(50);
        }
    }
    const char* title_;
    std::string answer_;
    std::atomic<bool> saw_{false};
    std::thread thread_;
};

TEST_F(AppShellTest, OpenDialogOpensAndReturnsTheChosenFile) {
    if (!GetEnvironmentVariableA("DISPLAY", nullptr, 0))
        GTEST_SKIP() << "needs an X display";
    const std::string picture = folder.path() + "картина.jpg";
    WriteBytes(picture, "jpeg");

    std::string fileName = "before.jpg";
    bool confirmed = true;
    {
        DialogDriver driver("Tonecast cancel test", "");
        confirmed = ShowFileDialog(0, "", "JPEG image|*.jpg", folder.path(), "Tonecast cancel test",
                                   fileName);
        // The dialog really opened (a wrong structure size fails before showing anything).
        EXPECT_EQ(CommDlgExtendedError(), 0u);
        EXPECT_TRUE(driver.sawDialog());
    }
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(fileName, "before.jpg");

    {
        DialogDriver driver("Tonecast open test ✓", picture);
        confirmed = ShowFileDialog(0, "", "JPEG image|*.jpg|All files|*.*", folder.path(),
                                   "Tonecast open test ✓", fileName);
        EXPECT_TRUE(driver.sawDialog());
    }
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(fileName, picture);
}

}  // namespace

#pragma once
// What the application frame needs of the operating system, kept narrow so that the folder
// rules, the settings and the start-up logic run natively in tests. win32/ implements these
// with the shell, registry, common-dialog and private-profile functions; tests/fakes/ has
// in-memory doubles.

#include <cstdint>
#include <memory>
#include <string>

using WindowHandle = std::uintptr_t;

// The special folders the program asks the platform for.
enum class SpecialFolder {
    kAppData,        // the user's own application data
    kCommonAppData,  // application data shared by all users
    kProgramFiles,
    kStartup,  // the user's Startup folder, whose shortcuts start at their sign-in
    kWindows,  // the system's Windows folder
};

// A shell link object that has been created.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    virtual void SetPath(const std::string& target) = 0;
    virtual void SetArguments(const std::string& arguments) = 0;
    // The bytes of the .lnk file for the link as set; throws OleError when the object cannot
    // give them.
    virtual std::string Contents() = 0;
};

// One open dialog for an existing file, as the platform receives it. The dialog leaves the
// process's current folder as it is.
struct FileDialogRequest {
    WindowHandle owner = 0;
    std::string defaultExt;     // empty: not set
    std::string filterList;     // description NUL pattern NUL ...; the final NUL is implied
    std::string initialFolder;  // empty: not set
    std::string title;          // empty: not set
    std::string fileBuffer;     // the initial file name, at most kFileBufferSize - 1 bytes
};
inline constexpr int kFileBufferSize = 5201;

class Shell {
public:
    virtual ~Shell() = default;
    // The running executable's full path.
    virtual std::string ExecutablePath() = 0;
    // Empty when the platform cannot give the folder. Never cached.
    virtual std::string SpecialFolderPath(SpecialFolder folder) = 0;
    // Throws OleError when the link object cannot be created.
    virtual std::unique_ptr<ShellLink> CreateShellLink() = 0;
    // The platform's result code: 32 or less is a failure.
    virtual std::intptr_t ShellOpen(const std::string& url) = 0;
    // Whether this process runs with an administrator's elevated rights (the uninstaller's).
    virtual bool Elevated() = 0;
    // Has the desktop shell, which runs as the signed-in user, open the address. False when
    // there is no desktop shell to ask; nothing was opened then.
    virtual bool OpenAsSignedInUser(const std::string& url) = 0;
    // Starts a command line in a normal window; the outcome is not reported.
    virtual void RunCommand(const std::string& commandLine) = 0;
    // True when the user confirmed a file, which `chosen` then holds.
    virtual bool RunFileDialog(const FileDialogRequest& request, std::string& chosen) = 0;
    // Upper case by the system's rules for every letter, not just the ASCII ones.
    virtual std::string UpperCase(const std::string& text) = 0;
    // The user's locale decimal separator.
    virtual char DecimalSeparator() = 0;
    // True when GdiIcmGammaRange (app/GammaLimit.h) is a DWORD of at least 256, read with
    // read-only rights; `writtenAt` is then its key's last-write time. Times here are UTC, in
    // 100-nanosecond steps since 1601.
    virtual bool GammaRangeLifted(std::int64_t& writtenAt) = 0;
    // When the user signed in to this session, or, when the system does not tell, when the
    // system started.
    virtual std::int64_t SignInTime() = 0;
    // Whether a calibration window is open in this session (of any Tonecast process).
    virtual bool CalibrationWindowOpen() = 0;
};

// An initialisation file read and written with the platform's rules: section and key names
// match without regard to case, other sections and keys stay as they are.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // At most 2,047 bytes of a value are read. False when the key is absent; a key with an
    // empty value gives true and an empty string.
    virtual bool ReadString(const std::string& file, const std::string& section,
                            const std::string& key, std::string& value) = 0;
    // Replaces or adds the key, creating the file and the section when needed.
    virtual bool WriteString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    // Makes the platform write its cached copy of the file to disk.
    virtual void Flush(const std::string& file) = 0;
};

// The implementations in use; set once at start-up (or by a test).
Shell& TheShell();
void UseShell(Shell& shell);
ProfileStore& Profiles();
void UseProfileStore(ProfileStore& store);

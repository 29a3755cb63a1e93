#pragma once
// A shell whose folders and answers are set by the test, and which records
// every link, URL, command and dialog it is asked for.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"

class FakeShell : public Shell {
public:
    std::string ExecutablePath() override { return executablePath; }
    std::string SpecialFolderPath(SpecialFolder folder) override;
    std::unique_ptr<ShellLink> CreateShellLink() override;
    std::intptr_t ShellOpen(const std::string& url) override;
    bool Elevated() override { return elevated; }
    bool OpenAsSignedInUser(const std::string& url) override;
    void RunCommand(const std::string& commandLine) override { commands.push_back(commandLine); }
    bool RunFileDialog(const FileDialogRequest& request, std::string& chosen) override;
    std::string UpperCase(const std::string& text) override;  // ASCII letters only
    char DecimalSeparator() override { return decimalSeparator; }
    bool GammaRangeLifted(std::int64_t& writtenAt) override;
    std::int64_t SignInTime() override { return signInTime; }
    bool CalibrationWindowOpen() override { return calibrationOpen; }

    // Set-up.
    std::string executablePath = "C:\\Program Files\\Velmor\\Tonecast\\Tonecast.exe";
    std::map<SpecialFolder, std::string> specialFolders = {
        {SpecialFolder::kProgramFiles, "C:\\Program Files"},
        {SpecialFolder::kCommonAppData, "C:\\ProgramData"},
        {SpecialFolder::kAppData, "C:\\Users\\ann\\AppData\\Roaming"},
        {SpecialFolder::kWindows, "C:\\Windows"}};
    bool linkCreationFails = false;
    bool elevated = false;
    bool desktopShellAnswers = true;
    std::intptr_t shellOpenResult = 42;
    bool dialogConfirms = false;
    std::string dialogChoice;
    char decimalSeparator = '.';
    // GdiIcmGammaRange's key was written at this time; none: the value is not set.
    std::optional<std::int64_t> gammaRangeWritten;
    std::int64_t signInTime = 0;
    bool calibrationOpen = false;

    // Inspection.
    std::vector<std::string> linkCalls;  // "SetPath <x>", "SetArguments <x>", "Contents"
    std::vector<std::string> openedUrls;
    std::vector<std::string> urlsOpenedAsUser;  // through the desktop shell
    std::vector<std::string> commands;
    std::vector<FileDialogRequest> dialogs;
};

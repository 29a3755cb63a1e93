#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "app/Platform.h"
#include "win32/Win32AppServices.h"

// The real shell, except that the program seems to run from `exe`.
class RelocatedShell : public Shell {
public:
    explicit RelocatedShell(std::string exe) : exe_(std::move(exe)) {}
    std::string ExecutablePath() override { return exe_; }
    std::string SpecialFolderPath(SpecialFolder folder) override {
        return folder == SpecialFolder::kStartup ? std::string() : real().SpecialFolderPath(folder);
    }
    std::unique_ptr<ShellLink> CreateShellLink() override { return real().CreateShellLink(); }
    std::intptr_t ShellOpen(const std::string&) override { return 0; }
    bool Elevated() override { return false; }
    bool OpenAsSignedInUser(const std::string&) override { return false; }
    void RunCommand(const std::string&) override {}
    bool RunFileDialog(const FileDialogRequest&, std::string&) override { return false; }
    std::string UpperCase(const std::string& text) override { return real().UpperCase(text); }
    char DecimalSeparator() override { return real().DecimalSeparator(); }
    bool GammaRangeLifted(std::int64_t& writtenAt) override {
        return real().GammaRangeLifted(writtenAt);
    }
    std::int64_t SignInTime() override { return real().SignInTime(); }
    bool CalibrationWindowOpen() override { return real().CalibrationWindowOpen(); }

private:
    static Shell& real() { return Win32Shell(); }
    std::string exe_;
};

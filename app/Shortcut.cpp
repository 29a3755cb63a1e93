#include "app/Shortcut.h"

#include "app/Platform.h"
#include "base/FileSystem.h"
#include "base/Path.h"

namespace {

// The target's file name with its extension replaced by ".lnk".
std::string LinkFileName(const std::string& target) {
    std::string name = FileNamePart(target);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".lnk";
}

}  // namespace

std::optional<PreparedFile> PrepareStartupShortcut(const std::string& target) {
    Shell& shell = TheShell();
    std::unique_ptr<ShellLink> link = shell.CreateShellLink();
    link->SetPath(target);
    link->SetArguments("");
    const std::string startup = shell.SpecialFolderPath(SpecialFolder::kStartup);
    if (startup.empty())
        return std::nullopt;
    return PreparedFile{startup + "\\" + LinkFileName(target), link->Contents()};
}

void RemoveStartupShortcut(const std::string& target) {
    const std::string startup = TheShell().SpecialFolderPath(SpecialFolder::kStartup);
    if (!startup.empty())
        Files().RemoveFile(startup + "\\" + LinkFileName(target));
}

#include "app/Shortcut.h"

#include "app/Platform.h"

namespace {

// The target's file name with its extension replaced by ".lnk".
std::string LinkFileName(const std::string& target) {
    const size_t slash = target.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name + ".lnk";
}

}  // namespace

bool EnsureStartupShortcut(const std::string& target) {
    Shell& shell = TheShell();
    std::unique_ptr<ShellLink> link = shell.CreateShellLink();
    link->SetPath(target);
    link->SetArguments("");
    const std::string startup = shell.StartupFolderValue();
    if (!startup.empty())
        link->Save(startup + "\\" + LinkFileName(target));
    return true;
}

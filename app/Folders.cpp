#include "app/Folders.h"

#include "app/Platform.h"
#include "base/FileSystem.h"
#include "base/Path.h"

namespace {

bool IsDelimiter(char ch) {
    return ch == '\\' || ch == '/';
}

std::string FolderFor(SpecialFolder folder, const std::string& subPath) {
    if (IsOutsideProgramFiles())
        return GetProgramFolder();
    const std::string special = TheShell().SpecialFolderPath(folder);
    if (special.empty())
        return GetProgramFolder();
    return special + "\\" + subPath;
}

}  // namespace

std::string GetProgramFolder() {
    return FolderPart(TheShell().ExecutablePath());
}

std::string GetProgramFilesFolder() {
    return TheShell().SpecialFolderPath(SpecialFolder::kProgramFiles);
}

bool IsOutsideProgramFiles() {
    const std::string programFiles = GetProgramFilesFolder();
    if (programFiles.empty())
        return true;
    Shell& shell = TheShell();
    // A substring test on purpose: a sibling such as "Program Files (x86)" counts as installed.
    return shell.UpperCase(GetProgramFolder()).find(shell.UpperCase(programFiles)) ==
           std::string::npos;
}

std::string GetDataFolder(const std::string& subPath) {
    return FolderFor(SpecialFolder::kCommonAppData, subPath);
}

std::string GetUserFolder(const std::string& subPath) {
    return FolderFor(SpecialFolder::kAppData, subPath);
}

bool ForceFolders(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && IsDelimiter(folder.back()))
        folder.pop_back();
    if (folder.size() < 3 || Files().FolderExists(folder) || FolderPart(folder) == folder)
        return true;
    return ForceFolders(FolderPart(folder)) && Files().CreateFolder(folder);
}

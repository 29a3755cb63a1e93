#pragma once
// Where the program keeps its files. Folder paths end with a backslash (the Program Files
// folder excepted); file names are appended directly.

#include <string>

// The sub-path every caller passes for the data and per-user folders.
inline constexpr const char* kSubPath = "Velmor\\Tonecast\\";

std::string GetProgramFolder();
std::string GetProgramFilesFolder();
bool IsOutsideProgramFiles();  // true in portable mode
std::string GetDataFolder(const std::string& subPath);
std::string GetUserFolder(const std::string& subPath);
// Creates the folder and every missing parent, from the root down. False when a level
// cannot be created.
bool ForceFolders(const std::string& path);

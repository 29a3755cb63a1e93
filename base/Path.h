#pragma once
// The parts of a Windows path. A backslash, a slash and a drive's colon each end a folder.

#include <string>

// The part up to and including the last delimiter: "C:\Pictures\" of "C:\Pictures\a.jpg",
// "C:" of "C:a.jpg"; empty when there is no delimiter.
std::string FolderPart(const std::string& path);

// What follows the last delimiter; the whole path when there is none.
std::string FileNamePart(const std::string& path);

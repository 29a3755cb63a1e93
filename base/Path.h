#pragma once
// The parts of a Windows path. A backslash, a slash and a drive's colon each end a folder.

#include <string>

// The part up to and including the last delimiter: "C:\Pictures\" of "C:\Pictures\a.jpg",
// "C:" of "C:a.jpg"; empty when there is no delimiter.
std::string FolderPart(const std::string& path);

// What follows the last delimiter; the whole path when there is none.
std::string FileNamePart(const std::string& path);

// True for a full path on a drive ("C:\Pictures\a.jpg"): not relative, not a network path
// ("\\host\share\..."), not a device or pipe ("\\.\pipe\x", "\\?\..."), and no part named
// after a device ("CON", "NUL", "COM1.jpg", ...). Opening a network path makes Windows sign in
// to that host as the user; a device or pipe can hang the reader.
bool IsLocalDiskPath(const std::string& path);

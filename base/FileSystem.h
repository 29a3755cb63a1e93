#pragma once
// Narrow file interface of the portable code. The program uses the Win32 implementation;
// tests use an in-memory one. Paths are UTF-8 strings with backslashes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True for an existing file; a folder of that name does not count.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;

    // Reads the whole file. False when there is no such file; throws InOutError when it
    // exists but cannot be opened, ReadError when reading fails after it opened, and
    // TooLargeError, reading nothing, when it holds more than `maxBytes`. Every kind of file
    // has its own limit, so that a huge file put in a shared folder costs no memory.
    virtual bool ReadFile(const std::string& path, std::string& contents, std::size_t maxBytes) = 0;

    // Writes the bytes to a temporary file in the same folder and moves it over `path`
    // only once it is complete, so a failed write never destroys the previous file.
    // Throws InOutError with the platform's text on failure.
    virtual void ReplaceFile(const std::string& path, const std::string& contents) = 0;
    // ReplaceFile without waiting for the bytes to reach the disk: for a file that has to
    // outlive the process but not the machine, where on a busy disk that wait costs
    // milliseconds. To every program the file is still replaced whole or not at all.
    virtual void ReplaceFileUnflushed(const std::string& path, const std::string& contents) = 0;

    // The two halves of ReplaceFile, for saves of several files that must all succeed or all
    // fail (base/AllOrNothing.h). WriteTemporaryBeside writes the bytes to a new file of its
    // own name in `path`'s folder, leaving `path` alone, and returns the new file's path;
    // MoveFileOver renames a file within its folder, replacing any file at `to`. Both throw
    // InOutError with the platform's text.
    virtual std::string WriteTemporaryBeside(const std::string& path,
                                             const std::string& contents) = 0;
    virtual void MoveFileOver(const std::string& from, const std::string& to) = 0;
    // False when there was no such file or it could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;

    // Creates one folder (its parent must exist). False on failure.
    virtual bool CreateFolder(const std::string& path) = 0;

    // Names (not paths) of the entries in `folder` matching `pattern` (e.g. "*.lng"),
    // folders included, in the order the file system returns them.
    virtual std::vector<std::string> ListFolder(const std::string& folder,
                                                const std::string& pattern) = 0;

    // Last-write time in local time as days since 1899-12-30 (time of day as the fraction).
    // False when the file does not exist.
    virtual bool FileTimeLocal(const std::string& path, double& days) = 0;

    // Size in bytes and last-write time (the platform's own units) of a file, what tells a
    // changed file from the one read before without reading it. False when there is no file.
    virtual bool FileStamp(const std::string& path, std::uint64_t& size,
                           std::uint64_t& writeTime) = 0;
};

// The implementation in use; set once at start-up (or by a test).
FileSystem& Files();
void UseFileSystem(FileSystem& files);

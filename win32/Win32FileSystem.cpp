#include "win32/Win32FileSystem.h"

#include <algorithm>

#include <windows.h>

#include <bcrypt.h>
#include <cwchar>
// <windows.h> maps this name to its "A" function; here it is the interface's method.
#undef ReplaceFile

#include "base/Errors.h"
#include "base/Path.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {

[[noreturn]] void ThrowLastError() {
    const DWORD code = GetLastError();
    throw InOutError(SystemErrorText(code), static_cast<int>(code));
}

// The folder that holds the temporary file beside `path`.
std::string FolderOf(const std::string& path) {
    const std::string folder = FolderPart(path);
    return folder.empty() ? std::string(".\\") : folder;
}

void WriteAll(HANDLE file, const std::string& contents) {
    std::size_t written = 0;
    while (written < contents.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size() - written, 1 << 20));
        DWORD done = 0;
        if (!WriteFile(file, contents.data() + written, chunk, &done, nullptr))
            ThrowLastError();
        if (done == 0)
            throw InOutError(SystemErrorText(ERROR_WRITE_FAULT), ERROR_WRITE_FAULT);
        written += done;
    }
}

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::ReadFile(const std::string& path, std::string& contents,
                               std::size_t maxBytes) {
    FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            return false;
        throw InOutError(SystemErrorText(code), static_cast<int>(code));
    }
    LARGE_INTEGER size{};
    const bool sized = GetFileSizeEx(file.get(), &size) && size.QuadPart >= 0;
    if (sized && static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        throw TooLargeError(maxBytes);
    // The bytes go straight into the string, sized from the file (and one more byte, so that
    // the read that finds the end needs no growth): a photograph of many megabytes is then
    // read in one call, not copied piecewise into a growing string. A file that grows
    // meanwhile is read on to its end, or to one byte past the limit, which it then breaks.
    std::string data;
    data.resize((sized ? static_cast<std::size_t>(size.QuadPart) : 0) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used > maxBytes)
            throw TooLargeError(maxBytes);
        if (used == data.size())
            data.resize(std::min(2 * data.size(), maxBytes + 1));
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - used, 1 << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), data.data() + used, chunk, &got, nullptr)) {
            const DWORD code = GetLastError();
            data.resize(used);
            throw ReadError(SystemErrorText(code), static_cast<int>(code), std::move(data));
        }
        if (got == 0)
            break;
        used += got;
    }
    data.resize(used);
    contents = std::move(data);
    return true;
}

namespace {

// Writes the bytes to a new temporary file in `path`'s folder and returns its path; with
// `flush`, only once they are on the disk.
std::string WriteTemporary(const std::string& path, const std::string& contents, bool flush) {
    // A name nobody can guess, made only if no file or link of that name is there: the data
    // folder is shared, and another user could otherwise take the names beforehand or put a
    // link where the bytes are about to go.
    std::wstring temporary;
    FileHandle file;
    for (int attempt = 0; attempt < 8 && !file.valid(); ++attempt) {
        std::uint64_t random = 0;
        if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&random),
                                            sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
            throw InOutError(SystemErrorText(ERROR_GEN_FAILURE), ERROR_GEN_FAILURE);
        wchar_t name[32];
        swprintf(name, 32, L"~tnc%016llX.tmp", static_cast<unsigned long long>(random));
        temporary = Widen(FolderOf(path)) + name;
        file.reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS)
            ThrowLastError();
    }
    if (!file.valid())
        ThrowLastError();
    try {
        WriteAll(file.get(), contents);
        if (flush && !FlushFileBuffers(file.get()))
            ThrowLastError();
        if (!file.Close())
            ThrowLastError();
    } catch (...) {
        file.Close();
        DeleteFileW(temporary.c_str());
        throw;
    }
    return Narrow(temporary);
}

void Move(const std::string& from, const std::string& to, DWORD flags) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | flags))
        ThrowLastError();
}

// The new bytes go to a temporary file beside the target, so that the final move is a rename
// within one volume and the old file survives anything that fails before it.
void Replace(const std::string& path, const std::string& contents, bool flush) {
    const std::string temporary = WriteTemporary(path, contents, flush);
    try {
        Move(temporary, path, flush ? MOVEFILE_WRITE_THROUGH : 0);
    } catch (...) {
        DeleteFileW(Widen(temporary).c_str());
        throw;
    }
}

}  // namespace

void Win32FileSystem::ReplaceFile(const std::string& path, const std::string& contents) {
    Replace(path, contents, true);
}

void Win32FileSystem::ReplaceFileUnflushed(const std::string& path, const std::string& contents) {
    Replace(path, contents, false);
}

std::string Win32FileSystem::WriteTemporaryBeside(const std::string& path,
                                                  const std::string& contents) {
    return WriteTemporary(path, contents, true);
}

void Win32FileSystem::MoveFileOver(const std::string& from, const std::string& to) {
    Move(from, to, MOVEFILE_WRITE_THROUGH);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != FALSE;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

std::vector<std::string> Win32FileSystem::ListFolder(const std::string& folder,
                                                     const std::string& pattern) {
    std::vector<std::string> names;
    std::string query = folder;
    if (!query.empty() && query.back() != '\\' && query.back() != '/')
        query += '\\';
    query += pattern;
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW(Widen(query).c_str(), &found));
    if (!search)
        return names;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    return names;
}

bool Win32FileSystem::FileTimeLocal(const std::string& path, double& days) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    FILETIME local;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
        return false;
    ULARGE_INTEGER ticks;
    ticks.LowPart = local.dwLowDateTime;
    ticks.HighPart = local.dwHighDateTime;
    days = FileTimeTicksToDays(ticks.QuadPart);
    return true;
}

bool Win32FileSystem::FileStamp(const std::string& path, std::uint64_t& size,
                                std::uint64_t& writeTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    writeTime = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                data.ftLastWriteTime.dwLowDateTime;
    return true;
}

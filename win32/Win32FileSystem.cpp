#include "win32/Win32FileSystem.h"

#include <algorithm>

#include <windows.h>
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

bool Win32FileSystem::ReadFile(const std::string& path, std::string& contents) {
    FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            return false;
        throw InOutError(SystemErrorText(code), static_cast<int>(code));
    }
    // The bytes go straight into the string, sized from the file (and one more byte, so that
    // the read that finds the end needs no growth): a photograph of many megabytes is then
    // read in one call, not copied piecewise into a growing string. A file that grows
    // meanwhile is read on to its end.
    std::string data;
    LARGE_INTEGER size{};
    const std::size_t expected =
        GetFileSizeEx(file.get(), &size) && size.QuadPart > 0
            ? static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, LONGLONG{1} << 30))
            : 0;
    data.resize(expected + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == data.size())
            data.resize(2 * data.size());
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

void Win32FileSystem::ReplaceFile(const std::string& path, const std::string& contents) {
    // The new bytes go to a temporary file beside the target, so that the final move is a
    // rename within one volume and the old file survives anything that fails before it.
    const std::string temporary = WriteTemporaryBeside(path, contents);
    try {
        MoveFileOver(temporary, path);
    } catch (...) {
        RemoveFile(temporary);
        throw;
    }
}

std::string Win32FileSystem::WriteTemporaryBeside(const std::string& path,
                                                  const std::string& contents) {
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(Widen(FolderOf(path)).c_str(), L"tnc", 0, temporary))
        ThrowLastError();
    try {
        FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            ThrowLastError();
        WriteAll(file.get(), contents);
        if (!FlushFileBuffers(file.get()))
            ThrowLastError();
        if (!file.Close())
            ThrowLastError();
    } catch (...) {
        DeleteFileW(temporary);
        throw;
    }
    return Narrow(temporary);
}

void Win32FileSystem::MoveFileOver(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowLastError();
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

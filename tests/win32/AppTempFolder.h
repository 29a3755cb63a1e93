#pragma once
// A fresh folder under the Wine prefix's temporary folder, removed with everything in it
// afterwards (read-only files too). Its name holds letters outside every ANSI code page, as a
// user's folder may: whatever the program does there must go through the wide calls.

#include <string>

#include <windows.h>

#include "win32/Win32Handles.h"
#include "win32/Win32Text.h"

class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        for (unsigned n = GetTickCount();; ++n) {
            path_ = Narrow(base) + "tonecast-app-" + std::to_string(n) + " Dvořák 测试\\";
            if (CreateDirectoryW(Widen(path_).c_str(), nullptr))
                break;
        }
    }
    ~TempFolder() { Remove(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAW data;
        const FindHandle find(FindFirstFileW(Widen(folder + "*").c_str(), &data));
        if (find) {
            do {
                const std::string name = Narrow(data.cFileName);
                if (name == "." || name == "..")
                    continue;
                const std::wstring path = Widen(folder + name);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(folder + name + "\\");
                } else {
                    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(find.get(), &data));
        }
        RemoveDirectoryW(Widen(folder).c_str());
    }
    std::string path_;
};

inline bool PathExists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadBytes(const std::string& path) {
    FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    if (!file.valid())
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    FileHandle file(
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD put = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
}

// UTF-8 text as the bytes of a UTF-16 file with its byte-order mark, as the settings file is
// written.
inline std::string Utf16File(const std::string& text) {
    const std::wstring wide = Widen(text);
    return std::string("\xFF\xFE", 2) +
           std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

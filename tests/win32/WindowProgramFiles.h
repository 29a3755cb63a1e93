#pragma once
// Where the tests find the Tonecast.exe of the same build, and a portable copy of it.

#include <windows.h>

#include <string>

#include "AppTempFolder.h"
#include "win32/Win32Handles.h"

// build/tests/win32_tests.exe -> build/exe/Tonecast.exe
inline std::string BuiltProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string folder = Narrow(path);
    folder.erase(folder.find_last_of('\\'));      // the tests folder
    folder.erase(folder.find_last_of('\\') + 1);  // the build folder
    return folder + "exe\\";
}

inline std::string BuiltTonecastExe() {
    return BuiltProgramFolder() + "Tonecast.exe";
}

// A program folder of its own under the temporary folder (named with letters outside the ANSI
// code page): outside Program Files, so the program keeps its data (ramp files, settings)
// beside itself. Removed again at the end.
class PortableProgramFolder {
public:
    PortableProgramFolder() : path_(folder_.path()) {
        const std::string from = BuiltProgramFolder();
        WIN32_FIND_DATAW found{};
        const FindHandle search(FindFirstFileW(Widen(from + "*").c_str(), &found));
        if (!search)
            return;
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const std::string name = Narrow(found.cFileName);
            const bool shipped = name == "Tonecast.exe" || name == "Tonestart.exe" ||
                                 name.ends_with(".lng") || name.ends_with(".jpg");
            if (shipped)
                CopyFileW(Widen(from + name).c_str(), Widen(path_ + name).c_str(), FALSE);
        } while (FindNextFileW(search.get(), &found));
    }

    const std::string& Path() const { return path_; }
    bool Exists(const std::string& name) const { return PathExists(path_ + name); }

private:
    TempFolder folder_;
    std::string path_;
};

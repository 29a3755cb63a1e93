#include "win32/DllSearch.h"

#include <windows.h>

#include <delayimp.h>

#include <string>

#include "win32/Win32Text.h"

namespace {

bool g_searchRestricted = false;

std::wstring SystemDllPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length) + L"\\" + name;
}

// A DLL the program's manifest names (the common controls, version 6) is resolved side by
// side, before any search; its full system path would be the wrong version.
bool RedirectedSideBySide(const std::wstring& name) {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                    name.c_str(), &data) != FALSE;
}

// Called by the delay-load helper before it loads a DLL by name; a module returned here is
// used instead. With the search restricted, loading by name is safe and is left to the helper.
FARPROC WINAPI BeforeDelayLoad(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || g_searchRestricted)
        return nullptr;
    const std::wstring name = Widen(info->szDll);
    if (RedirectedSideBySide(name))
        return nullptr;
    const std::wstring path = SystemDllPath(name);
    if (path.empty())
        return nullptr;
    // The DLL's own dependencies are then searched from the system folder too.
    return reinterpret_cast<FARPROC>(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

std::string ProgramFileName() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full(path, length < MAX_PATH ? length : 0);
    return Narrow(full.substr(full.find_last_of(L"\\/") + 1));
}

// Without this the helper raises an exception nobody handles, and the program vanishes with
// an exception code. A missing system DLL or function means a Windows too old for the program.
FARPROC WINAPI DelayLoadFailed(unsigned failure, PDelayLoadInfo info) {
    std::string what = info->szDll;
    if (failure == dliFailGetProc) {
        what = info->dlp.fImportByName
                   ? "the function " + std::string(info->dlp.szProcName) + " of " + what
                   : "a function of " + what;
    }
    const std::string message =
        ProgramFileName() + " cannot run on this version of Windows: " + what + " is missing.";
    MessageBoxW(nullptr, Widen(message).c_str(), L"Application Error",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    ExitProcess(1);
}

}  // namespace

// The delay-load helper's hooks (declared extern "C" by <delayimp.h>), taken from here rather
// than from the runtime library's empty defaults: set before any code of the program runs.
PfnDliHook __pfnDliNotifyHook2 = BeforeDelayLoad;
PfnDliHook __pfnDliFailureHook2 = DelayLoadFailed;

void RestrictDllSearch() {
    // Looked up rather than imported: an import the system lacks would stop the program
    // before it starts.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    g_searchRestricted =
        setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!g_searchRestricted)
        SetDllDirectoryW(L"");
}

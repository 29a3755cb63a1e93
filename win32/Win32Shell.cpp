#include <windows.h>

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <vector>

#include "base/Errors.h"
#include "win32/DesktopShell.h"
#include "win32/MainWindow.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {

std::string SystemMessage(HRESULT code) {
    std::string message = SystemText(static_cast<DWORD>(code));
    if (message.empty()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "OLE error %08X", static_cast<unsigned>(code));
        message = buffer;
    }
    return message;
}

// The shell's identifier of the folder; null for a value it does not know.
const KNOWNFOLDERID* KnownFolder(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::kAppData:
            return &FOLDERID_RoamingAppData;
        case SpecialFolder::kCommonAppData:
            return &FOLDERID_ProgramData;
        case SpecialFolder::kProgramFiles:
            return &FOLDERID_ProgramFiles;
        case SpecialFolder::kStartup:
            return &FOLDERID_Startup;
        case SpecialFolder::kWindows:
            return &FOLDERID_Windows;
    }
    return nullptr;
}

std::string ClassIdText(const CLSID& id) {
    wchar_t wide[40] = {};
    StringFromGUID2(id, wide, 40);
    return Narrow(wide);
}

class Win32ShellLink : public ShellLink {
public:
    explicit Win32ShellLink(ComPtr<IShellLinkW> link) : link_(std::move(link)) {}

    void SetPath(const std::string& target) override { link_->SetPath(Widen(target).c_str()); }
    void SetArguments(const std::string& arguments) override {
        link_->SetArguments(Widen(arguments).c_str());
    }
    // The bytes IPersistFile::Save would write, saved into memory instead, so that the file is
    // put in place with the rest of a save.
    std::string Contents() override {
        ComPtr<IPersistStream> persist;
        HRESULT result = link_->QueryInterface(IID_IPersistStream, persist.OutPointer());
        ComPtr<IStream> stream;
        if (SUCCEEDED(result))
            result = CreateStreamOnHGlobal(nullptr, TRUE,
                                           reinterpret_cast<IStream**>(stream.OutPointer()));
        if (SUCCEEDED(result))
            result = persist->Save(stream.get(), TRUE);
        ULARGE_INTEGER size{};
        if (SUCCEEDED(result))
            result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &size);
        HGLOBAL memory = nullptr;
        if (SUCCEEDED(result))
            result = GetHGlobalFromStream(stream.get(), &memory);
        if (FAILED(result))
            throw OleError(SystemMessage(result) + ", ClassID: " + ClassIdText(CLSID_ShellLink));
        const void* bytes = GlobalLock(memory);
        std::string contents(static_cast<const char*>(bytes),
                             static_cast<std::size_t>(size.QuadPart));
        GlobalUnlock(memory);
        return contents;
    }

private:
    ComPtr<IShellLinkW> link_;
};

class Win32ShellImpl : public Shell {
public:
    std::string ExecutablePath() override {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), buffer.size());
            if (length < buffer.size())
                return Narrow({buffer.data(), length});
            buffer.resize(buffer.size() * 2);
        }
    }

    std::string SpecialFolderPath(SpecialFolder folder) override {
        const KNOWNFOLDERID* id = KnownFolder(folder);
        wchar_t* path = nullptr;
        if (!id || FAILED(SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path)) || !path)
            return {};
        const std::string folderPath = Narrow(path);
        CoTaskMemFree(path);
        return folderPath;
    }

    std::unique_ptr<ShellLink> CreateShellLink() override {
        EnsureCom();
        ComPtr<IShellLinkW> link;
        const HRESULT created =
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                             IID_IShellLinkW, link.OutPointer());
        if (FAILED(created))
            throw OleError(SystemMessage(created) + ", ClassID: " + ClassIdText(CLSID_ShellLink));
        return std::make_unique<Win32ShellLink>(std::move(link));
    }

    std::intptr_t ShellOpen(const std::string& url) override {
        return reinterpret_cast<std::intptr_t>(
            ShellExecuteW(nullptr, L"open", Widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }

    bool Elevated() override { return ProcessElevated(); }
    bool OpenAsSignedInUser(const std::string& url) override {
        return OpenThroughDesktopShell(Widen(url));
    }

    // What WinExec does, which has no wide form: the program named first on the command line,
    // in a normal window, without waiting for it.
    void RunCommand(const std::string& commandLine) override {
        std::wstring command = Widen(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    bool RunFileDialog(const FileDialogRequest& request, std::string& chosen) override {
        // The buffer holds kFileBufferSize characters, the initial name at most one fewer.
        std::vector<wchar_t> buffer(kFileBufferSize, L'\0');
        Widen(request.fileBuffer).copy(buffer.data(), kFileBufferSize - 1);
        const std::wstring initialFolder = Widen(request.initialFolder);
        const std::wstring title = Widen(request.title);
        const std::wstring defaultExt = Widen(request.defaultExt);
        // The NULs between the descriptions and patterns come through; c_str() adds the NUL
        // that ends the list.
        const std::wstring filterList = Widen(request.filterList);
        OPENFILENAMEW ofn;
        ZeroMemory(&ofn, sizeof ofn);
        // The structure's real size: the 32-bit figure makes a 64-bit dialog refuse to open.
        ofn.lStructSize = sizeof(OPENFILENAMEW);
        ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = kFileBufferSize;
        if (!initialFolder.empty())
            ofn.lpstrInitialDir = initialFolder.c_str();
        if (!title.empty())
            ofn.lpstrTitle = title.c_str();
        if (!defaultExt.empty())
            ofn.lpstrDefExt = defaultExt.c_str();
        ofn.lpstrFilter = filterList.c_str();
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        EnsureCom();
        if (!GetOpenFileNameW(&ofn))
            return false;
        chosen = Narrow(buffer.data());
        return true;
    }

    std::string UpperCase(const std::string& text) override {
        std::wstring upper = Widen(text);
        if (!upper.empty())
            CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        return Narrow(upper);
    }

    char DecimalSeparator() override { return LocaleDecimalSeparator(); }
    bool GammaRangeLifted(std::int64_t& writtenAt) override {
        return ReadGammaRangeLifted(writtenAt);
    }
    std::int64_t SignInTime() override { return SessionSignInTime(); }

    bool CalibrationWindowOpen() override {
        return FindWindowW(kMainWindowClassName, nullptr) != nullptr;
    }
};

bool g_comStarted = false;

}  // namespace

void EnsureCom() {
    if (!g_comStarted)
        g_comStarted = SUCCEEDED(CoInitialize(nullptr));
}

void EndCom() {
    if (g_comStarted)
        CoUninitialize();
    g_comStarted = false;
}

Shell& Win32Shell() {
    static Win32ShellImpl shell;
    return shell;
}

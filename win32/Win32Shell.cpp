#include <windows.h>

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "base/Errors.h"
#include "win32/Win32AppServices.h"
#include "win32/Win32Handles.h"
#include "win32/Win32Services.h"

namespace {

constexpr const char* kExplorerKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";

std::string SystemMessage(HRESULT code) {
    std::string message = SystemText(static_cast<DWORD>(code));
    if (message.empty()) {
        char buffer[32];
        wsprintfA(buffer, "OLE error %08X", static_cast<unsigned>(code));
        message = buffer;
    }
    return message;
}

// The platform's number for the folder; one it does not know for any other value.
int Csidl(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::kAppData:
            return CSIDL_APPDATA;
        case SpecialFolder::kCommonAppData:
            return CSIDL_COMMON_APPDATA;
        case SpecialFolder::kProgramFiles:
            return CSIDL_PROGRAM_FILES;
    }
    return static_cast<int>(folder);
}

std::string ClassIdText(const CLSID& id) {
    wchar_t wide[40] = {};
    StringFromGUID2(id, wide, 40);
    char text[40] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

class Win32ShellLink : public ShellLink {
public:
    explicit Win32ShellLink(ComPtr<IShellLinkA> link) : link_(std::move(link)) {}

    void SetPath(const std::string& target) override { link_->SetPath(target.c_str()); }
    void SetArguments(const std::string& arguments) override {
        link_->SetArguments(arguments.c_str());
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
    ComPtr<IShellLinkA> link_;
};

class Win32ShellImpl : public Shell {
public:
    std::string ExecutablePath() override {
        std::vector<char> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), buffer.size());
            if (length < buffer.size())
                return std::string(buffer.data(), length);
            buffer.resize(buffer.size() * 2);
        }
    }

    std::string SpecialFolderPath(SpecialFolder folder) override {
        ItemIdList list;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, Csidl(folder), list.OutPointer())) || !list)
            return {};
        char buffer[MAX_PATH + 1] = {};
        return SHGetPathFromIDListA(list.get(), buffer) ? std::string(buffer) : std::string();
    }

    std::string StartupFolderValue() override {
        RegistryKey explorer;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kExplorerKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, explorer.OutPointer(),
                            nullptr) != ERROR_SUCCESS)
            return {};
        RegistryKey folders;
        if (RegOpenKeyExA(explorer.get(), "Shell Folders", 0, KEY_READ, folders.OutPointer()) !=
            ERROR_SUCCESS)
            return {};
        return ReadStringValue(folders.get(), "Startup");
    }

    std::unique_ptr<ShellLink> CreateShellLink() override {
        EnsureCom();
        ComPtr<IShellLinkA> link;
        const HRESULT created =
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                             IID_IShellLinkA, link.OutPointer());
        if (FAILED(created))
            throw OleError(SystemMessage(created) + ", ClassID: " + ClassIdText(CLSID_ShellLink));
        return std::make_unique<Win32ShellLink>(std::move(link));
    }

    std::intptr_t ShellOpen(const std::string& url) override {
        return reinterpret_cast<std::intptr_t>(
            ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }

    void RunCommand(const std::string& commandLine) override {
        WinExec(commandLine.c_str(), SW_SHOWNORMAL);
    }

    bool RunFileDialog(const FileDialogRequest& request, std::string& chosen) override {
        std::vector<char> buffer(kFileBufferSize, '\0');
        request.fileBuffer.copy(buffer.data(), kFileBufferSize - 1);
        OPENFILENAMEA ofn;
        ZeroMemory(&ofn, sizeof ofn);
        // The structure's real size: the 32-bit figure makes a 64-bit dialog refuse to open.
        ofn.lStructSize = sizeof(OPENFILENAMEA);
        ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = kFileBufferSize;
        if (!request.initialFolder.empty())
            ofn.lpstrInitialDir = request.initialFolder.c_str();
        if (!request.title.empty())
            ofn.lpstrTitle = request.title.c_str();
        if (!request.defaultExt.empty())
            ofn.lpstrDefExt = request.defaultExt.c_str();
        // c_str() adds the NUL that ends the list.
        ofn.lpstrFilter = request.filterList.c_str();
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        EnsureCom();
        if (!GetOpenFileNameA(&ofn))
            return false;
        chosen = buffer.data();
        return true;
    }

    std::string UpperCase(const std::string& text) override {
        std::string upper = text;
        if (!upper.empty())
            CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
        return upper;
    }

    char DecimalSeparator() override { return LocaleDecimalSeparator(); }
    bool GammaRangeLifted(std::int64_t& writtenAt) override {
        return ReadGammaRangeLifted(writtenAt);
    }
    std::int64_t SignInTime() override { return SessionSignInTime(); }

private:
    static std::string ReadStringValue(HKEY key, const char* name) {
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
            return {};
        std::vector<char> data(size + 1, '\0');
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size) != ERROR_SUCCESS)
            return {};
        return std::string(data.data());  // up to the first NUL, stored or added
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

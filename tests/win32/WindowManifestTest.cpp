// What Windows reads from the built Tonecast.exe and Tonestart.exe. The manifests: common
// controls 6 (flat buttons, the tab and up-down look), per-monitor DPI awareness v2 (without
// which WM_DPICHANGED never arrives), Windows 7 to 11 as supported systems (no compatibility
// shims) and no elevation. The version resource, and the project's icon in every size.

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "WindowProgramFiles.h"

namespace {

// GetProcAddress gives a generic function pointer; the real type is the export's.
template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using QueryActCtxSettingsProc = BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*,
                                              wchar_t*, SIZE_T, SIZE_T*);

class WindowManifestTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const std::string exe = BuiltProgramFolder() + GetParam();
        ACTCTXA request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = exe.c_str();
        request.lpResourceName = MAKEINTRESOURCEA(1);  // CREATEPROCESS_MANIFEST_RESOURCE_ID
        context_ = CreateActCtxA(&request);
        ASSERT_NE(context_, INVALID_HANDLE_VALUE) << exe << " has no usable manifest";
    }
    void TearDown() override {
        if (context_ != INVALID_HANDLE_VALUE)
            ReleaseActCtx(context_);
    }
    HANDLE context_ = INVALID_HANDLE_VALUE;
};

// A button of the version-6 controls knows its ideal size; the system's older one does not.
TEST_P(WindowManifestTest, BindsCommonControlsVersion6) {
    if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0)
        GTEST_SKIP() << "no X display";
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context_, &cookie));
    HMODULE controls = LoadLibraryA("comctl32.dll");
    HWND button = CreateWindowExA(0, "Button", "OK", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    DeactivateActCtx(0, cookie);
    ASSERT_NE(button, nullptr);
    SIZE ideal{};
    EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    DestroyWindow(button);
    FreeLibrary(controls);
}

TEST_P(WindowManifestTest, DeclaresPerMonitorV2Awareness) {
    auto query =
        Export<QueryActCtxSettingsProc>(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW");
    ASSERT_NE(query, nullptr);
    wchar_t value[64] = {};
    SIZE_T written = 0;
    ASSERT_TRUE(query(0, context_, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                      L"dpiAwareness", value, 64, &written));
    EXPECT_EQ(std::wstring(value), L"PerMonitorV2");
    // What systems before the 2016 setting read instead.
    ASSERT_TRUE(query(0, context_, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                      L"dpiAware", value, 64, &written));
    EXPECT_EQ(std::wstring(value), L"true/pm");
}

// The layout Windows 10 and Wine fill in (each element ends with the highest version tested);
// mingw's headers still describe the older, shorter one.
struct CompatibilityElement {
    GUID Id;
    DWORD Type;
    ULONGLONG MaxVersionTested;
};
struct CompatibilityInformation {
    DWORD ElementCount;
    CompatibilityElement Elements[16];
};

TEST_P(WindowManifestTest, DeclaresWindows7To11AndRunsAsInvoker) {
    CompatibilityInformation compatibility{};
    SIZE_T written = 0;
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, CompatibilityInformationInActivationContext,
                             &compatibility, sizeof compatibility, &written));
    std::set<std::wstring> systems;
    for (DWORD i = 0; i < compatibility.ElementCount && i < 16; ++i) {
        wchar_t text[40] = {};
        StringFromGUID2(compatibility.Elements[i].Id, text, 40);
        if (compatibility.Elements[i].Type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
            systems.insert(text);
    }
    EXPECT_EQ(systems, (std::set<std::wstring>{L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",
                                               L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",
                                               L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",
                                               L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}"}));

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    ASSERT_TRUE(QueryActCtxW(0, context_, nullptr, RunlevelInformationInActivationContext,
                             &runLevel, sizeof runLevel, &written));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(runLevel.UiAccess, 0u);
}

std::string VersionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(none)";
    return value;
}

TEST_P(WindowManifestTest, CarriesTheVersionResource) {
    const std::string exe = BuiltProgramFolder() + GetParam();
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, info.size(), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030001u);  // 3.1
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(VersionString(info, "CompanyName"), "Velmor");
    EXPECT_EQ(VersionString(info, "ProductName"), "Tonecast");
    EXPECT_EQ(VersionString(info, "FileVersion"), "3.1.0.0");
    EXPECT_EQ(VersionString(info, "ProductVersion"), "3.1.0.0");
    EXPECT_EQ(VersionString(info, "OriginalFilename"), GetParam());
    EXPECT_NE(VersionString(info, "FileDescription").find("Tonecast"), std::string::npos);
}

unsigned Little(const unsigned char* bytes, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

// The icon group holds exe/Tonecast.ico's images byte for byte, and Windows draws each size.
TEST_P(WindowManifestTest, CarriesTheProjectIconInEverySize) {
    std::ifstream file(TONECAST_TEST_DATA "/../../exe/Tonecast.ico", std::ios::binary);
    const std::vector<unsigned char> ico{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(ico.size(), 6u);
    const std::string exe = BuiltProgramFolder() + GetParam();
    HMODULE module = LoadLibraryExW(Widen(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* directory =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, group)));
    const unsigned count = Little(directory + 4, 2);
    ASSERT_EQ(count, Little(ico.data() + 4, 2));
    std::vector<int> widths;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* entry = directory + 6 + 14 * i;      // GRPICONDIRENTRY
        const unsigned char* original = ico.data() + 6 + 16 * i;  // ICONDIRENTRY
        const int width = entry[0] == 0 ? 256 : entry[0];
        widths.push_back(width);
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(Little(entry + 12, 2)), RT_ICON);
        ASSERT_NE(image, nullptr);
        const DWORD size = SizeofResource(module, image);
        auto* bytes = static_cast<unsigned char*>(LockResource(LoadResource(module, image)));
        ASSERT_EQ(size, Little(original + 8, 4));
        EXPECT_TRUE(std::equal(bytes, bytes + size, ico.data() + Little(original + 12, 4)))
            << width << " pixels";
        HICON icon = CreateIconFromResourceEx(bytes, size, TRUE, 0x00030000, width, width, 0);
        ASSERT_NE(icon, nullptr) << width << " pixels";
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour{};
        GetObjectA(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, width);
        EXPECT_EQ(colour.bmHeight, width);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 256}));
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(BothExecutables, WindowManifestTest,
                         ::testing::Values("Tonecast.exe", "Tonestart.exe"), [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace

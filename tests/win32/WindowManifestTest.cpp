// The manifest built into Tonecast.exe: common controls 6 (flat buttons, the tab and up-down
// look) and per-monitor DPI awareness v2, without which WM_DPICHANGED never arrives.

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "WindowProgramFiles.h"

namespace {

// GetProcAddress gives a generic function pointer; the real type is the export's.
template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using QueryActCtxSettingsProc = BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*,
                                              wchar_t*, SIZE_T, SIZE_T*);

class WindowManifestTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string exe = BuiltTonecastExe();
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
TEST_F(WindowManifestTest, BindsCommonControlsVersion6) {
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

TEST_F(WindowManifestTest, DeclaresPerMonitorV2Awareness) {
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

}  // namespace

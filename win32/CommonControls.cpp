#include "win32/CommonControls.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "win32/Win32Handles.h"

namespace {

DWORD WINAPI LoadAndRegister(void*) {
    // The manifest's version 6 of the library: the process's activation context applies to
    // every thread.
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library)
        return 1;
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    return init && init(&classes) ? 0 : 1;
}

bool LoadOnOwnThread() {
    const KernelObject thread(CreateThread(nullptr, 0, LoadAndRegister, nullptr, 0, nullptr));
    if (!thread)
        return LoadAndRegister(nullptr) == 0;
    DWORD result = 1;
    return WaitForSingleObject(thread.get(), INFINITE) == WAIT_OBJECT_0 &&
           GetExitCodeThread(thread.get(), &result) && result == 0;
}

}  // namespace

bool LoadCommonControls() {
    static const bool loaded = LoadOnOwnThread();
    return loaded;
}

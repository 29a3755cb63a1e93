#include "win32/CrashRestore.h"

#include <windows.h>

#include <exception>

#include "ramp/Displays.h"

namespace {

// More displays than this are not guarded; the usual desktop has one to three.
constexpr int kMaxGuardedDisplays = 16;

struct GuardedDisplay {
    HDC dc;
    WORD ramp[kRampSize];
};

// Static storage: nothing on the crash path may depend on the heap being intact.
GuardedDisplay g_guarded[kMaxGuardedDisplays];
volatile LONG g_guardedCount = 0;
volatile LONG g_armed = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::terminate_handler g_previousTerminate = nullptr;

LONG WINAPI RestoreOnUnhandledException(EXCEPTION_POINTERS* exception) {
    RestoreArmedRamps();
    // The usual end of a crashed process follows (error reporting, a debugger).
    return g_previousFilter ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void RestoreOnTerminate() {
    RestoreArmedRamps();
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

void InstallHandlersOnce() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    g_previousFilter = SetUnhandledExceptionFilter(RestoreOnUnhandledException);
    g_previousTerminate = std::set_terminate(RestoreOnTerminate);
    // Stack for the filter when the crash is a stack overflow.
    ULONG reserve = 64 * 1024;
    SetThreadStackGuarantee(&reserve);
}

}  // namespace

void ArmCrashRestore() {
    InterlockedExchange(&g_armed, 0);
    const DisplayState& engine = Engine();
    LONG count = 0;
    for (int i = 0; i < engine.DisplayCount() && count < kMaxGuardedDisplays; ++i) {
        // Nothing captured for a display: writing an empty ramp would black it out.
        if (i >= static_cast<int>(engine.SavedRamps.size()) ||
            i >= static_cast<int>(engine.SavedRampRead.size()) || !engine.SavedRampRead[i])
            continue;
        GuardedDisplay& guarded = g_guarded[count++];
        guarded.dc = reinterpret_cast<HDC>(engine.Displays[i].dc);
        for (int j = 0; j < kRampSize; ++j)
            guarded.ramp[j] = engine.SavedRamps[i][j];
    }
    InterlockedExchange(&g_guardedCount, count);
    InstallHandlersOnce();
    InterlockedExchange(&g_armed, 1);
}

void DisarmCrashRestore() {
    InterlockedExchange(&g_armed, 0);
}

void RestoreArmedRamps() {
    if (InterlockedExchange(&g_armed, 0) == 0)
        return;
    const LONG count = g_guardedCount;
    for (LONG i = 0; i < count; ++i)
        SetDeviceGammaRamp(g_guarded[i].dc, g_guarded[i].ramp);
}

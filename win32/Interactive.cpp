#include "win32/Interactive.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <exception>

#include "app/Main.h"
#include "ramp/Displays.h"
#include "ui/MainFrm.h"
#include "win32/BackgroundWindow.h"
#include "win32/CrashRestore.h"
#include "win32/LoaderWindow.h"
#include "win32/MainWindow.h"
#include "win32/StartupTrace.h"
#include "win32/Win32Controls.h"
#include "win32/Win32Text.h"

namespace {

// The backdrop covers the virtual desktop behind the calibration window when there are
// several displays.
void CreateBackdrop(TMainForm& form, MainWindow& window) {
    BackgroundWindowArgs args;
    args.mainWindow = window.Hwnd();
    args.currentPage = [] { return CurrentPage(); };
    args.panelHeight = [&form] { return form.Panel->GetBounds().height; };
    if (CreateBackgroundWindow(args)) {
        // Both windows stay on top, and the one shown last can end up covering the other
        // (under Wine the X stacking keeps the backdrop above, whatever the z-order says):
        // taking the calibration window out of the top band and back restacks it for real.
        window.SetTopmost(false);
        window.SetTopmost(true);
        SetForegroundWindow(window.Hwnd());
    }
    form.onInvalidateBackdrop = [] { InvalidateBackgroundWindow(); };
    form.onHideBackdrop = [] { HideBackgroundWindow(); };
}

// Where the form's start puts the window: over the first display.
Bounds FirstDisplayBounds() {
    const DisplayState& engine = Engine();
    if (engine.DisplayCount() <= 0)
        return {};
    const ScreenRect& r = engine.Displays[0].info.monitor;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int RunMessageLoop(MainWindow& window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        try {
            window.PreviewKeyDown(message);
        } catch (const std::exception& error) {
            window.ShowError(error.what());
        }
        if (window.MoveFocusOnTab(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int RunInteractive() {
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    TraceStartup("common controls initialised");

    // Before the window, so that the loader leaves the displays alone before their ramps are
    // captured, and tells it the window closed once it is gone.
    const CalibrationWindowNotice loaderNotice;
    MainWindow window(GetModuleHandleW(nullptr), FirstDisplayBounds());
    if (!window.IsValid()) {
        MessageBoxW(nullptr, L"The calibration window could not be created.",
                    Widen(kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
    TraceStartup("window created");
    Win32ControlFactory factory(window.Hwnd(), window);
    int exitCode = 0;
    try {
        TMainForm form(factory, window);
        const MainWindow::AttachedForm attached(window, form);
        form.onRampsCaptured = [] { ArmCrashRestore(); };
        form.onStartupStep = TraceStartup;
        TraceStartup("controls created");
        if (!form.FormCreate())
            return kExitNoDisplay;
        TraceStartup("FormCreate done: ramps captured, ramp files read, window shown");
        const BackgroundWindowScope backdrop;
        // Neither the backdrop nor the adjustment panels show on the first page of the display
        // the window stands on: they are made once that page is on the screen.
        window.AfterFirstPaint([&form, &window] {
            CreateBackdrop(form, window);
            TraceStartup("backdrop created");
            form.CreateAdjustmentPanels();
            TraceStartup("adjustment panels created");
        });
        SetFocus(window.Hwnd());
        exitCode = RunMessageLoop(window);
    } catch (const std::exception& error) {
        // The form, gone with the error, has put back the ramps it captured.
        DisarmCrashRestore();
        window.ShowError(error.what());
        exitCode = 1;
    }
    return exitCode;
}

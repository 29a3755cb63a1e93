#pragma once
// A calibration window on in-memory displays, files, shell and controls, as the program
// would create it: displays enumerated, then TMainForm constructed and FormCreate run.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/Language.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "fakes/FakeColorProfiles.h"
#include "fakes/FakeControls.h"
#include "fakes/FakeDisplayPort.h"
#include "fakes/FakeFormHost.h"
#include "fakes/FakeShell.h"
#include "fakes/ManualClock.h"
#include "fakes/MemoryFileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ui/MainFrm.h"

inline const std::string kProgramFolder = "C:\\Program Files\\Velmor\\Tonecast\\";
inline const std::string kDataFolder = "C:\\ProgramData\\Velmor\\Tonecast\\";
inline const std::string kUserFolder = "C:\\Users\\ann\\AppData\\Roaming\\Velmor\\Tonecast\\";
inline const std::string kStartupFolder =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        Engine() = DisplayState{};
        Patterns() = PatternSettings{};
        Settings() = SettingsValues{};
        ResetLanguageTable();
        CurrentPage() = 0;
        UseDisplayPort(port);
        UseFileSystem(files);
        UseShell(shell);
        UseClock(clock);
        UseColorProfileStore(colorProfiles);
        shell.specialFolders[SpecialFolder::kStartup] = kStartupFolder;
        files.AddFolder(kProgramFolder);
        files.AddFolder(kStartupFolder);
    }
    ~WindowTest() override {
        form.reset();  // before the controls' factory
        ReleaseDisplays();
    }

    // A display with a recognisable hardware ramp (each entry i * 200 + 7 * monitor index).
    FakeMonitor& AddDisplay(ScreenRect rect) {
        const int n = static_cast<int>(port.monitors.size());
        FakeMonitor& m = port.AddMonitor("\\\\.\\DISPLAY" + std::to_string(n + 1), rect);
        for (int i = 0; i < kRampSize; ++i)
            m.ramp[i] = static_cast<std::uint16_t>((i % 256) * 200 + 7 * n);
        return m;
    }

    // Enumerates the displays, creates the window and runs FormCreate.
    bool Open() {
        EnumDisplays();
        form = std::make_unique<TMainForm>(controls, host);
        host.onCloseRequest = [this] { return form->FormClose(); };
        form->onInvalidateBackdrop = [this] { ++backdropInvalidations; };
        form->onHideBackdrop = [this] { ++backdropHides; };
        const bool created = form->FormCreate();
        files.writes.clear();  // the session file; the tests look at it where it matters
        return created;
    }
    void OpenOneFullHdDisplay() {
        AddDisplay({0, 0, 1920, 1080});
        ASSERT_TRUE(Open());
    }

    // Stores a ramp file for display `index` as OK would have written it.
    void StoreRampFile(int index, const TCorrection& c) {
        files.AddFolder(kDataFolder);
        if (Engine().DisplayCount() <= index)
            EnumDisplays();  // WriteRampFile names the display's device
        WriteRampFile(c, index, RampFileName(kDataFolder, index));
        files.writes.clear();
    }

    TCorrection& Record(int display = 0) { return Engine().Corrections.at(display); }
    int RampWrites() const { return port.CountOf(FakeDisplayPort::CallKind::SetGammaRamp); }
    Ramp LastWritten() const {
        return port.CallsOf(FakeDisplayPort::CallKind::SetGammaRamp).back().ramp;
    }
    // The ramp BuildRamp makes of a record, without touching it.
    static Ramp RampOf(TCorrection c) {
        Ramp ramp;
        BuildRamp(c, ramp);
        return ramp;
    }

    FakeEdit& E(std::unique_ptr<Edit>& edit) { return AsFake(*edit); }
    FakeUpDown& U(std::unique_ptr<UpDown>& upDown) { return AsFake(*upDown); }
    FakeButton& B(std::unique_ptr<Button>& button) { return AsFake(*button); }
    FakeEdit& E(Edit& edit) { return AsFake(edit); }
    FakeUpDown& U(UpDown& upDown) { return AsFake(upDown); }
    FakeButton& B(Button& button) { return AsFake(button); }

    FakeDisplayPort port;
    MemoryFileSystem files;
    FakeShell shell;
    ManualClock clock;
    FakeColorProfiles colorProfiles;
    FakeControlFactory controls;
    FakeFormHost host{controls};
    std::unique_ptr<TMainForm> form;
    int backdropInvalidations = 0;
    int backdropHides = 0;
};

#pragma once
// The ramp engine over in-memory monitors, files and a manual clock, reset around each test;
// the tests' ramp files lie in kFolder.

#include <gtest/gtest.h>

#include "fakes/FakeDisplayPort.h"
#include "fakes/ManualClock.h"
#include "fakes/MemoryFileSystem.h"
#include "ramp/RampFile.h"

class FakeEngineTest : public ::testing::Test {
protected:
    static constexpr const char* kFolder = "C:\\Data\\";

    void SetUp() override {
        Engine() = DisplayState{};
        UseDisplayPort(port);
        UseFileSystem(files);
        UseClock(clock);
        files.AddFolder(kFolder);
    }
    void TearDown() override { Engine() = DisplayState{}; }

    // Ramp file number index + 1, for the monitor of that device ID (none: an earlier
    // version's file); each save is a new write time.
    void SaveFile(int index, const TCorrection& c, const std::string& monitorId = {}) {
        files.AddFile(RampFileName(kFolder, index), FormatRampFile(c, "\\\\.\\DISPLAY1", monitorId),
                      ++saveTime);
    }
    static Ramp Built(TCorrection c) {
        Ramp ramp;
        BuildRamp(c, ramp);
        return ramp;
    }
    static Ramp Linear() {
        Ramp ramp;
        LinearRamp(ramp);
        return ramp;
    }

    FakeDisplayPort port;
    MemoryFileSystem files;
    ManualClock clock;
    double saveTime = 0;
};

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

    void SaveFile(int index, const TCorrection& c) {
        files.AddFile(RampFileName(kFolder, index), FormatRampFile(c, "\\\\.\\DISPLAY1"));
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
};

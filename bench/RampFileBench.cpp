// Ramp files are written once per display on OK and read at every start and /load; the
// fade's arithmetic runs once per 10 ms pass and must stay a small part of that pause.

#include <benchmark/benchmark.h>

#include "fakes/FakeDisplayPort.h"
#include "fakes/ManualClock.h"
#include "fakes/MemoryFileSystem.h"
#include "ramp/RampFile.h"

namespace {

TCorrection Varied() {
    TCorrection c;
    c.Gamma = 12;
    c.BlackR = -4;
    for (int level : {16, 64, 128, 192, 240}) {
        c.PointOn[level] = 1;
        c.Point[level] = level % 7 - 3;
        c.PointG[level] = 5;
    }
    InterpolatePoints(c);
    return c;
}

struct OneDisplay {
    OneDisplay() {
        Engine() = DisplayState{};
        UseDisplayPort(port);
        UseFileSystem(files);
        UseClock(clock);
        port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
        EnumDisplays();
        files.AddFolder("C:\\Data");
    }
    ~OneDisplay() { Engine() = DisplayState{}; }
    FakeDisplayPort port;
    MemoryFileSystem files;
    ManualClock clock;
};

void BM_RampFileWriteReadRoundTrip(benchmark::State& state) {
    OneDisplay setup;
    const TCorrection written = Varied();
    TCorrection read;
    std::string device;
    for (auto _ : state) {
        WriteRampFile(written, 0, "C:\\Data\\Tonecast1.lut");
        ReadRampFile(read, device, "C:\\Data\\Tonecast1.lut");
        benchmark::DoNotOptimize(read);
        setup.files.writes.clear();
    }
}
BENCHMARK(BM_RampFileWriteReadRoundTrip);

// The arithmetic of one pass for one display: 768 steps toward the target.
void BM_FadePassArithmetic(benchmark::State& state) {
    Ramp target, start;
    LinearRamp(target);
    start.fill(0);
    Ramp current = start;
    for (auto _ : state) {
        bool partial = false;
        for (int j = 0; j < kRampSize; ++j)
            partial |= StepToward(current[j], target[j]);
        benchmark::DoNotOptimize(partial);
        benchmark::DoNotOptimize(current);
        if (!partial)
            current = start;
    }
}
BENCHMARK(BM_FadePassArithmetic);

// A whole full-range fade (128 passes) over an in-memory display that records each write;
// the per-pass figure includes the engine's bookkeeping around the arithmetic.
void BM_LoadAndApplyAllFullRange(benchmark::State& state) {
    OneDisplay setup;
    TCorrection white;
    white.Black = 512;
    setup.files.AddFile("C:\\Data\\Tonecast1.lut", FormatRampFile(white, "\\\\.\\DISPLAY1"));
    int passes = 0;
    for (auto _ : state) {
        setup.port.monitors[0].ramp.fill(0);
        setup.port.calls.clear();
        LoadAndApplyAll("C:\\Data\\");
        passes += setup.port.CountOf(FakeDisplayPort::CallKind::SetGammaRamp);
    }
    state.counters["per_pass"] =
        benchmark::Counter(passes, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadAndApplyAllFullRange)->Unit(benchmark::kMicrosecond);

}  // namespace

// BuildRamp runs on every keystroke of an edit; it must stay far below a display frame.

#include <benchmark/benchmark.h>

#include "ramp/Correction.h"

namespace {

void Run(benchmark::State& state, TCorrection c) {
    Ramp ramp{};
    for (auto _ : state) {
        BuildRamp(c, ramp);
        benchmark::DoNotOptimize(ramp);
    }
}

void BM_BuildRampCleared(benchmark::State& state) {
    Run(state, TCorrection{});
}

void BM_BuildRampFivePoints(benchmark::State& state) {
    TCorrection c;
    c.Gamma = 12;
    c.BlackR = -4;
    const int levels[] = {16, 64, 128, 192, 240};
    for (int level : levels) {
        c.PointOn[level] = 1;
        c.Point[level] = level % 7 - 3;
        c.PointG[level] = 5;
    }
    Run(state, c);
}

void BM_BuildRampAllPoints(benchmark::State& state) {
    TCorrection c;
    for (int level = 0; level < 256; ++level) {
        c.PointOn[level] = 1;
        c.Point[level] = level % 11 - 5;
    }
    Run(state, c);
}

}  // namespace

BENCHMARK(BM_BuildRampCleared);
BENCHMARK(BM_BuildRampFivePoints);
BENCHMARK(BM_BuildRampAllPoints);

// A page is repainted after every keystroke of an edit; the paint, background fill included,
// has to stay well inside one display frame even at 3840 x 2160.

#include <benchmark/benchmark.h>

#include "fakes/SingleDisplay.h"
#include "ramp/Correction.h"
#include "ramp/Displays.h"
#include "render/PixelCanvas.h"
#include "ui/Pages.h"

namespace {

void UseDisplay(int width, int height) {
    UseSingleDisplay(width, height);
    TCorrection c;
    c.Gamma = 20;
    for (int level : {32, 96, 160, 224})
        c.PointOn[level] = 1;
    BuildRamp(c, Engine().CurrentRamp);
    Engine().Corrections[0] = c;
}

void BM_PaintPage(benchmark::State& state) {
    const int page = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1));
    const int height = static_cast<int>(state.range(2));
    UseDisplay(width, height);
    PageView view;
    view.page = page;
    view.clientWidth = width;
    view.panelTop = height - 53;
    const Color background = page == 2 ? kWhite : kBlack;
    PixelCanvas canvas(width, height, background);
    for (auto _ : state) {
        canvas.Clear(background);
        PaintPage(canvas, view);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int page = 0; page <= 8; ++page) {
        b->Args({page, 1920, 1080});
        b->Args({page, 3840, 2160});
    }
}

// The fill alone, to tell the background's share from the pattern's.
void BM_ClearOnly(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    PixelCanvas canvas(width, height);
    for (auto _ : state) {
        canvas.Clear(kBlack);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_PaintPage)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearOnly)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

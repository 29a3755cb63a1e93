// The Reference Image page decodes (and converts) its JPEG on every paint, with no cache: this
// is the cost of one repaint of that page, before the bitmap is drawn.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "render/ColorConversion.h"
#include "render/JpegEncode.h"
#include "render/JpegImage.h"

namespace {

// Camera-like content: smooth gradients with fine texture, 4:2:0 chroma, quality 90.
std::string PhotographLike(int width, int height) {
    return EncodeJpeg({.width = width,
                       .height = height,
                       .quality = 90,
                       .fullChroma = false,
                       .pixel = [width, height](int x, int y) {
                           const int noise = (x * 7919 + y * 104729) % 23;
                           return Color{static_cast<std::uint8_t>(x * 255 / width),
                                        static_cast<std::uint8_t>(y * 255 / height),
                                        static_cast<std::uint8_t>((x + y) % 200 + noise)};
                       }});
}

void DecodeAndConvert(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        Bitmap bitmap;
        if (!DecodeJpeg(file, bitmap)) {
            state.SkipWithError("decode failed");
            break;
        }
        Colors().ConvertForDisplay(bitmap, 0, {});  // the no-op converter of native builds
        benchmark::DoNotOptimize(bitmap.pixels.data());
    }
    state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}

void BM_DecodeJpeg24Megapixels(benchmark::State& state) {
    static const std::string file = PhotographLike(6000, 4000);
    DecodeAndConvert(state, file);
}
BENCHMARK(BM_DecodeJpeg24Megapixels)->Unit(benchmark::kMillisecond)->Iterations(5);

// The size of the default reference image.
void BM_DecodeJpegReferenceSize(benchmark::State& state) {
    static const std::string file = PhotographLike(1600, 1000);
    DecodeAndConvert(state, file);
}
BENCHMARK(BM_DecodeJpegReferenceSize)->Unit(benchmark::kMillisecond);

}  // namespace

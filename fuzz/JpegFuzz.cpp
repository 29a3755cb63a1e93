// The reference image: any bytes either decode to a bitmap within the pixel limit, of the
// size the bitmap's own layout asks for, or fail with a status and an empty bitmap. Each
// decode entry point of render/ is one line of the table below.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "render/JpegImage.h"

namespace {

using Decode = JpegResult (*)(std::string_view bytes, Bitmap& bitmap);

JpegResult FullDecode(std::string_view bytes, Bitmap& bitmap) {
    return DecodeJpeg(bytes, bitmap);
}

// The part of the upright picture a window would show, reaching past its right edge.
JpegResult CroppedDecode(std::string_view bytes, Bitmap& bitmap) {
    return DecodeJpeg(bytes, bitmap, [](int width, int height) {
        return JpegRect{width / 3, height / 4, width + 5, height - 1};
    });
}

constexpr Decode kDecoders[] = {FullDecode, CroppedDecode};

void CheckOutcome(const JpegResult& result, const Bitmap& bitmap) {
    if (!result) {
        FUZZ_CHECK(result.status != JpegStatus::kOk);
        FUZZ_CHECK(bitmap.width == 0 && bitmap.height == 0 && bitmap.pixels.empty());
        return;
    }
    FUZZ_CHECK(result.orientation >= 1 && result.orientation <= 8);
    FUZZ_CHECK(bitmap.width >= 0 && bitmap.height >= 0);
    FUZZ_CHECK(result.left + bitmap.width <= result.imageWidth);
    FUZZ_CHECK(result.top + bitmap.height <= result.imageHeight);
    FUZZ_CHECK(std::int64_t{bitmap.width} * bitmap.height <= kMaxJpegPixels);
    FUZZ_CHECK(bitmap.bitsPerPixel == 8 || bitmap.bitsPerPixel == 24);
    FUZZ_CHECK(bitmap.pixels.size() == static_cast<std::size_t>(bitmap.Stride()) * bitmap.height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (Decode decode : kDecoders) {
        Bitmap bitmap;
        bitmap.width = 7;  // a decode must not leave what was there before
        bitmap.pixels.assign(3, 1);
        const JpegResult result = decode(bytes, bitmap);
        CheckOutcome(result, bitmap);
    }
    return 0;
}

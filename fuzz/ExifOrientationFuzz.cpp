// The EXIF orientation of an APP1 block: any bytes give 1 to 8, read within the block. The
// orientation found then turns a small picture, and each pixel of the upright picture must be
// the stored pixel that the crop mapping names for it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "render/ImageOrientation.h"

namespace {

void CheckTurn(int orientation) {
    Bitmap stored;
    stored.width = 5;
    stored.height = 3;
    stored.pixels.assign(static_cast<std::size_t>(stored.Stride()) * stored.height, 0);
    for (int y = 0; y < stored.height; ++y)
        for (int x = 0; x < stored.width; ++x)
            stored.Row(y)[3 * x] = static_cast<std::uint8_t>(y * stored.width + x);
    const Bitmap upright = TurnedUpright(stored, orientation);
    const bool swapped = OrientationSwapsSides(orientation);
    FUZZ_CHECK(upright.width == (swapped ? 3 : 5) && upright.height == (swapped ? 5 : 3));
    for (int y = 0; y < upright.height; ++y)
        for (int x = 0; x < upright.width; ++x) {
            const JpegRect from = StoredPart({x, y, x + 1, y + 1}, orientation, 5, 3);
            FUZZ_CHECK(from.right == from.left + 1 && from.bottom == from.top + 1);
            FUZZ_CHECK(from.left >= 0 && from.left < 5 && from.top >= 0 && from.top < 3);
            FUZZ_CHECK(upright.Row(y)[3 * x] == stored.Row(from.top)[3 * from.left]);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int orientation =
        ExifOrientation(std::string_view(reinterpret_cast<const char*>(data), size));
    FUZZ_CHECK(orientation >= 1 && orientation <= 8);
    CheckTurn(orientation);
    return 0;
}

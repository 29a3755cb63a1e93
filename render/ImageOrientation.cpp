#include "render/ImageOrientation.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// The TIFF structure behind "Exif\0\0", read in its own byte order; every read outside it gives
// nothing.
class TiffReader {
public:
    explicit TiffReader(std::string_view bytes) : bytes_(bytes) {}
    bool Start() {
        const std::string_view order = bytes_.substr(0, 2);
        if (order != "II" && order != "MM")
            return false;
        bigEndian_ = order == "MM";
        std::uint32_t magic = 0;
        return Read(2, 2, magic) && magic == 42;
    }
    // `size` bytes (2 or 4) at `offset` as a number.
    bool Read(std::uint64_t offset, int size, std::uint32_t& value) const {
        if (offset + static_cast<std::uint64_t>(size) > bytes_.size())
            return false;
        value = 0;
        for (int i = 0; i < size; ++i) {
            const auto byte = static_cast<std::uint8_t>(bytes_[offset + i]);
            value |= std::uint32_t{byte} << (8 * (bigEndian_ ? size - 1 - i : i));
        }
        return true;
    }

private:
    std::string_view bytes_;
    bool bigEndian_ = false;
};

constexpr std::string_view kExifHeader("Exif\0\0", 6);
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;

// Where a stored pixel comes from for an upright position (x, y): the two coordinates swapped
// first when the picture is turned by a quarter, then each counted from the far side when
// flipped.
struct Turn {
    bool swap = false, flipX = false, flipY = false;
};

Turn TurnOf(int orientation) {
    switch (orientation) {
        case 2:
            return {false, true, false};
        case 3:
            return {false, true, true};
        case 4:
            return {false, false, true};
        case 5:
            return {true, false, false};
        case 6:
            return {true, false, true};
        case 7:
            return {true, true, true};
        case 8:
            return {true, true, false};
        default:
            return {};
    }
}

}  // namespace

int ExifOrientation(std::string_view app1) {
    if (app1.substr(0, kExifHeader.size()) != kExifHeader)
        return 1;
    TiffReader tiff(app1.substr(kExifHeader.size()));
    std::uint32_t directory = 0, entries = 0;
    if (!tiff.Start() || !tiff.Read(4, 4, directory) || !tiff.Read(directory, 2, entries))
        return 1;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = std::uint64_t{directory} + 2 + 12 * std::uint64_t{i};
        std::uint32_t tag = 0, type = 0, count = 0, value = 0;
        if (!tiff.Read(entry, 2, tag))
            return 1;
        if (tag != kOrientationTag)
            continue;
        // A single short sits in the first two bytes of the entry's value field.
        if (!tiff.Read(entry + 2, 2, type) || !tiff.Read(entry + 4, 4, count) ||
            !tiff.Read(entry + 8, 2, value) || type != kShortType || count != 1)
            return 1;
        return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

bool OrientationSwapsSides(int orientation) {
    return TurnOf(orientation).swap;
}

JpegRect StoredPart(const JpegRect& upright, int orientation, int storedWidth, int storedHeight) {
    const Turn turn = TurnOf(orientation);
    // Columns and rows of the stored pixels the upright part's columns and rows come from.
    int left = upright.left, right = upright.right, top = upright.top, bottom = upright.bottom;
    if (turn.swap) {
        std::swap(left, top);
        std::swap(right, bottom);
    }
    if (turn.flipX) {
        const int l = left;
        left = storedWidth - right;
        right = storedWidth - l;
    }
    if (turn.flipY) {
        const int t = top;
        top = storedHeight - bottom;
        bottom = storedHeight - t;
    }
    return {left, top, right, bottom};
}

Bitmap TurnedUpright(const Bitmap& stored, int orientation) {
    const Turn turn = TurnOf(orientation);
    Bitmap upright;
    upright.bitsPerPixel = stored.bitsPerPixel;
    upright.width = turn.swap ? stored.height : stored.width;
    upright.height = turn.swap ? stored.width : stored.height;
    upright.pixels.assign(static_cast<std::size_t>(upright.Stride()) * upright.height, 0);
    const int bytesPerPixel = stored.bitsPerPixel / 8;
    for (int y = 0; y < upright.height; ++y) {
        std::uint8_t* out = upright.Row(y);
        for (int x = 0; x < upright.width; ++x, out += bytesPerPixel) {
            int sx = turn.swap ? y : x, sy = turn.swap ? x : y;
            if (turn.flipX)
                sx = stored.width - 1 - sx;
            if (turn.flipY)
                sy = stored.height - 1 - sy;
            std::memcpy(out, stored.Row(sy) + sx * bytesPerPixel,
                        static_cast<std::size_t>(bytesPerPixel));
        }
    }
    return upright;
}

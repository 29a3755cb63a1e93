#include "render/ColorConversion.h"

#include <bit>
#include <new>
#include <utility>
#include <vector>

namespace {

// A colour as one number: its three bytes in memory order, the first lowest.
std::uint32_t ColorKey(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
}

constexpr std::size_t kColorWords = (std::size_t{1} << 24) / 64;

class UnconvertedColors : public ColorConverter {
public:
    bool ConvertForDisplay(Bitmap&, DeviceContext, std::string_view) override { return true; }
};

std::uint32_t BigEndian32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

constexpr std::size_t kIccHeaderSize = 128;

UnconvertedColors g_unconverted;
ColorConverter* g_converter = &g_unconverted;

}  // namespace

void ConvertDistinctColors(Bitmap& bitmap, const PixelConversion& convert) {
    if (bitmap.bitsPerPixel != 24 || bitmap.width <= 0 || bitmap.height <= 0)
        return;
    const int width = bitmap.width;
    // One bit per possible colour says whether the bitmap holds it (2 MiB); the number of
    // colours held below each 64-colour word (1 MiB) makes a colour's bit its place in the
    // ascending list of distinct colours.
    std::vector<std::uint64_t> present;
    std::vector<std::uint32_t> below;
    std::vector<std::uint8_t> colors;
    try {
        present.assign(kColorWords, 0);
        below.resize(kColorWords);
        for (int y = 0; y < bitmap.height; ++y) {
            const std::uint8_t* p = bitmap.Row(y);
            for (int x = 0; x < width; ++x, p += 3) {
                const std::uint32_t key = ColorKey(p);
                present[key >> 6] |= std::uint64_t{1} << (key & 63);
            }
        }
        std::uint32_t count = 0;
        for (std::size_t w = 0; w < kColorWords; ++w) {
            below[w] = count;
            count += static_cast<std::uint32_t>(std::popcount(present[w]));
        }
        colors.resize(std::size_t{count} * 3);
    } catch (const std::bad_alloc&) {
        for (int y = 0; y < bitmap.height; ++y)
            convert(bitmap.Row(y), static_cast<std::size_t>(width));
        return;
    }
    std::uint8_t* out = colors.data();
    for (std::size_t w = 0; w < kColorWords; ++w) {
        for (std::uint64_t bits = present[w]; bits != 0; bits &= bits - 1) {
            const std::uint32_t key = static_cast<std::uint32_t>(w * 64) +
                                      static_cast<std::uint32_t>(std::countr_zero(bits));
            out[0] = static_cast<std::uint8_t>(key);
            out[1] = static_cast<std::uint8_t>(key >> 8);
            out[2] = static_cast<std::uint8_t>(key >> 16);
            out += 3;
        }
    }
    convert(colors.data(), colors.size() / 3);
    for (int y = 0; y < bitmap.height; ++y) {
        std::uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const std::uint32_t key = ColorKey(p);
            const std::uint64_t lower = present[key >> 6] & ((std::uint64_t{1} << (key & 63)) - 1);
            const std::uint8_t* converted =
                colors.data() +
                (std::size_t{below[key >> 6]} + static_cast<std::size_t>(std::popcount(lower))) * 3;
            p[0] = converted[0], p[1] = converted[1], p[2] = converted[2];
        }
    }
}

bool ProfileFitsImage(std::string_view profile, int bitsPerPixel) {
    if (profile.size() < kIccHeaderSize + 4)
        return false;
    const std::uint64_t declared = BigEndian32(profile, 0);
    const std::uint64_t tags = BigEndian32(profile, kIccHeaderSize);
    if (declared > profile.size() || kIccHeaderSize + 4 + 12 * tags > declared ||
        profile.substr(36, 4) != "acsp")
        return false;
    const std::string_view deviceClass = profile.substr(12, 4), data = profile.substr(16, 4),
                           connection = profile.substr(20, 4);
    const bool convertible = deviceClass == "scnr" || deviceClass == "mntr" ||
                             deviceClass == "prtr" || deviceClass == "spac";
    const bool fits = bitsPerPixel == 24 ? data == "RGB " : bitsPerPixel == 8 && data == "GRAY";
    return convertible && fits && (connection == "XYZ " || connection == "Lab ");
}

void ColorGreyLevels(Bitmap& bitmap, const std::array<std::uint8_t, 3 * 256>& colors) {
    Bitmap colored;
    colored.width = bitmap.width;
    colored.height = bitmap.height;
    colored.bitsPerPixel = 24;
    colored.pixels.assign(static_cast<std::size_t>(colored.Stride()) * colored.height, 0);
    for (int y = 0; y < bitmap.height; ++y) {
        const std::uint8_t* level = bitmap.Row(y);
        std::uint8_t* out = colored.Row(y);
        for (int x = 0; x < bitmap.width; ++x, out += 3) {
            const std::uint8_t* color = colors.data() + 3 * level[x];
            out[0] = color[0], out[1] = color[1], out[2] = color[2];
        }
    }
    bitmap = std::move(colored);
}

ColorConverter& Colors() {
    return *g_converter;
}
void UseColorConverter(ColorConverter& converter) {
    g_converter = &converter;
}

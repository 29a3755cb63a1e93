#include "win32/Win32ColorConverter.h"

#include "render/ColorConversion.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>
#include <optional>
#include <thread>

#include "win32/Win32ColorTransform.h"
#include "win32/Win32Text.h"

namespace {

class Win32ColorConverter : public ColorConverter {
public:
    bool ConvertForDisplay(Bitmap& bitmap, DeviceContext dc,
                           std::string_view sourceProfile) override;
    std::string ProfileOf(DeviceContext dc) override;
};

// The rows hold blue, green, red, which is the memory order of BM_RGBTRIPLETS: the pixels are
// handed over as stored, as one row, so that no stride rule applies.
void Translate(HTRANSFORM transform, std::uint8_t* pixels, std::size_t count) {
    TranslateBitmapBits(transform, pixels, BM_RGBTRIPLETS, static_cast<DWORD>(count), 1, 0, pixels,
                        BM_RGBTRIPLETS, 0, nullptr, 0);
}

// Fewer colours than this are not worth a thread of their own (about 10 ms of the colour
// system's work).
constexpr std::size_t kColorsPerThread = 65536;
constexpr unsigned kMaxThreads = 4;

// Converts the pixels in parts of equal size on up to kMaxThreads threads at once, each with a
// transform of its own: the documentation promises nothing about sharing one, and Wine's sets
// the buffer formats on the transform in every call. Parts whose thread or transform cannot be
// had are converted on the calling thread.
void TranslateInParts(HTRANSFORM transform, HPROFILE source, HPROFILE display, std::uint8_t* pixels,
                      std::size_t count) {
    const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    const std::size_t parts = std::clamp<std::size_t>(count / kColorsPerThread, 1, cores);
    const std::size_t step = (count + parts - 1) / parts;
    std::array<std::optional<ColorTransform>, kMaxThreads - 1> transforms;
    std::array<std::thread, kMaxThreads - 1> threads;
    std::size_t untaken = std::min(step, count);  // where the parts no helper took begin
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            std::optional<ColorTransform>& own = transforms[part - 1];
            own.emplace(source, display);
            if (!own->get())
                break;
            threads[part - 1] = std::thread(Translate, own->get(), pixels + 3 * part * step,
                                            std::min(step, count - part * step));
        } catch (const std::exception&) {
            break;
        }
        untaken = std::min(count, (part + 1) * step);
    }
    Translate(transform, pixels, std::min(step, count));
    if (untaken < count)
        Translate(transform, pixels + 3 * untaken, count - untaken);
    for (std::thread& thread : threads)
        if (thread.joinable())
            thread.join();
}

// Each of the 256 grey levels through the transform, as blue, green, red.
bool GreyThroughTransform(Bitmap& bitmap, HTRANSFORM transform) {
    std::array<std::uint8_t, 256> levels;
    for (int level = 0; level < 256; ++level)
        levels[level] = static_cast<std::uint8_t>(level);
    std::array<std::uint8_t, 3 * 256> colors{};
    if (!TranslateBitmapBits(transform, levels.data(), BM_GRAY, 256, 1, 0, colors.data(),
                             BM_RGBTRIPLETS, 0, nullptr, 0))
        return false;
    try {
        ColorGreyLevels(bitmap, colors);
    } catch (const std::bad_alloc&) {
        return false;  // left grey: the profile was not applied
    }
    return true;
}

void TranslateColors(Bitmap& bitmap, const ColorTransform& transform, HPROFILE source,
                     HPROFILE display) {
    ConvertDistinctColors(bitmap, [&](std::uint8_t* pixels, std::size_t count) {
        TranslateInParts(transform.get(), source, display, pixels, count);
    });
}

bool Win32ColorConverter::ConvertForDisplay(Bitmap& bitmap, DeviceContext dc,
                                            std::string_view sourceProfile) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        (bitmap.bitsPerPixel != 24 && bitmap.bitsPerPixel != 8))
        return true;
    const bool usable =
        sourceProfile.empty() || ProfileFitsImage(sourceProfile, bitmap.bitsPerPixel);
    if (bitmap.bitsPerPixel == 8 && (sourceProfile.empty() || !usable))
        return usable;  // grey without a grey profile is shown as decoded

    const DisplayProfile display(reinterpret_cast<HDC>(dc));
    if (!display.get())
        return usable;
    if (!sourceProfile.empty() && usable) {
        const MemoryProfile source(sourceProfile);
        const ColorTransform transform(source.get(), display.get());
        if (source.get() && transform.get()) {
            if (bitmap.bitsPerPixel == 8)
                return GreyThroughTransform(bitmap, transform.get());
            TranslateColors(bitmap, transform, source.get(), display.get());
            return true;
        }
        if (bitmap.bitsPerPixel == 8)
            return false;
    }
    const ColorTransform transform(nullptr, display.get());
    if (transform.get())
        TranslateColors(bitmap, transform, nullptr, display.get());
    return sourceProfile.empty();
}

std::string Win32ColorConverter::ProfileOf(DeviceContext dc) {
    return Narrow(DisplayProfileName(reinterpret_cast<HDC>(dc)));
}

}  // namespace

void UseWin32ColorConverter() {
    static Win32ColorConverter converter;
    UseColorConverter(converter);
}

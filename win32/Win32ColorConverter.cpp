#include "win32/Win32ColorConverter.h"

#include "render/ColorConversion.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <thread>

#include "win32/Win32ColorTransform.h"

namespace {

class Win32ColorConverter : public ColorConverter {
public:
    void ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) override;
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
void TranslateInParts(HTRANSFORM transform, HPROFILE display, std::uint8_t* pixels,
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
            own.emplace(display);
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

void Win32ColorConverter::ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) {
    if (bitmap.bitsPerPixel != 24 || bitmap.width <= 0 || bitmap.height <= 0)
        return;

    const DisplayProfile display(reinterpret_cast<HDC>(dc));
    const ColorTransform transform(display.get());
    if (transform.get())
        ConvertDistinctColors(bitmap, [&](std::uint8_t* pixels, std::size_t count) {
            TranslateInParts(transform.get(), display.get(), pixels, count);
        });
}

std::string Win32ColorConverter::ProfileOf(DeviceContext dc) {
    char profileName[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!GetICMProfileA(reinterpret_cast<HDC>(dc), &size, profileName))
        return {};
    return profileName;
}

}  // namespace

void UseWin32ColorConverter() {
    static Win32ColorConverter converter;
    UseColorConverter(converter);
}

// Cost of painting the Reference Image page with the real colour system (run under Wine by
// bench/reference-image-paint.sh): the first way, decoding the whole image and converting it
// pixel by pixel on every paint, against the cropped, converted and kept image, measured in the
// same run, and the first paint's parts. A 24-megapixel photograph
// of camera-like noise is made here (the colour system caches its last pixel, so a smooth image
// would look cheap), once plain and once with the wide-gamut profile embedded as a camera set
// to Adobe RGB writes it, and that profile is associated with the display for the run.

#include <windows.h>
#undef TextOut
#include <icm.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "render/ColorConversion.h"
#include "render/JpegEncode.h"
#include "render/JpegImage.h"
#include "render/PixelCanvas.h"
#include "render/ReferenceImage.h"
#include "win32/Win32ColorConverter.h"
#include "win32/Win32ColorTransform.h"
#include "win32/Win32Services.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

template <typename F>
double Median(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

Color Noise(int x, int y) {
    const unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
    return Color{static_cast<std::uint8_t>(x * 255 / 6000 + (h >> 28)),
                 static_cast<std::uint8_t>(y * 255 / 4000 + ((h >> 20) & 15)),
                 static_cast<std::uint8_t>(h >> 9)};
}

// The colour system as first called: every pixel handed over, row by row.
void ConvertEachPixel(Bitmap& bitmap, DeviceContext dc) {
    const DisplayProfile display(reinterpret_cast<HDC>(dc));
    const ColorTransform transform(nullptr, display.get());
    if (!transform.get())
        return;
    for (int y = 0; y < bitmap.height; ++y)
        TranslateBitmapBits(transform.get(), bitmap.Row(y), BM_RGBTRIPLETS, bitmap.width, 1, 0,
                            bitmap.Row(y), BM_RGBTRIPLETS, 0, nullptr, 0);
}

// The paint as it was: the whole file decoded, converted pixel by pixel and drawn, every time.
void PaintWhole(const std::string& path, PixelCanvas& canvas, DeviceContext dc) {
    Bitmap bitmap;
    if (!LoadJpegFile(path, bitmap))
        return;
    ConvertEachPixel(bitmap, dc);
    canvas.DrawBitmap(CenterX(bitmap.width), CenterY(bitmap.height), bitmap);
}

// The part of an image a 1920 x 1080 window centred on the display shows.
JpegRect Visible(int width, int height) {
    const int x = CenterX(width), y = CenterY(height);
    return JpegRect{-x, -y, 1920 - x, 1080 - y};
}

void Measure(const char* what, const std::string& path, DeviceContext dc,
             const std::string& embedded = {}) {
    PixelCanvas canvas(1920, 1080);
    const ReferenceImageTexts texts;
    const double whole = Median(3, [&] { PaintWhole(path, canvas, dc); });
    const double first = Median(5, [&] {
        ForgetReferenceImage();
        DrawReferenceImage(canvas, path, 1920, 1080, texts);
    });
    const double later = Median(21, [&] { DrawReferenceImage(canvas, path, 1920, 1080, texts); });
    std::printf(
        "%s: every paint before %.1f ms; first paint %.1f ms (%.3fx), later paints %.2f ms "
        "(%.4fx)\n",
        what, whole, first, first / whole, later, later / whole);

    // The first paint's parts, each on its own.
    std::string bytes;
    const double read = Median(5, [&] { Files().ReadFile(path, bytes, kMaxJpegFileBytes); });
    Bitmap visible;
    const double decode = Median(5, [&] { DecodeJpeg(bytes, visible, Visible); });
    Bitmap none;
    const double entropy =
        Median(5, [&] { DecodeJpeg(bytes, none, [](int, int) { return JpegRect{}; }); });
    std::vector<Bitmap> copies(8, visible);
    auto copy = copies.begin();
    const double convert = Median(5, [&] { Colors().ConvertForDisplay(*copy++, dc, embedded); });
    const double eachPixel = Median(3, [&] { ConvertEachPixel(*copy++, dc); });
    std::printf(
        "  first paint's parts: file read %.1f ms; decode of the %d x %d shown %.1f ms, of which "
        "%.1f ms reading the file's data through (no pixel decoded); conversion %.1f ms (each "
        "pixel handed over: %.1f ms)\n",
        read, visible.width, visible.height, decode, entropy, convert, eachPixel);
    if (embedded.empty())
        return;
    // What the embedded profile adds: opening it and a transform from it instead of from sRGB.
    const HDC screen = reinterpret_cast<HDC>(dc);
    const double fromEmbedded = Median(21, [&] {
        const DisplayProfile display(screen);
        const MemoryProfile source(embedded);
        const ColorTransform transform(source.get(), display.get());
    });
    const double fromSRgb = Median(21, [&] {
        const DisplayProfile display(screen);
        const ColorTransform transform(nullptr, display.get());
    });
    std::printf(
        "  display profile and transform: from the embedded profile %.2f ms, from sRGB %.2f ms\n",
        fromEmbedded, fromSRgb);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <default image> <profile>\n", argv[0]);
        return 2;
    }
    UseWin32Services();
    UseWin32ColorConverter();

    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    EnumDisplayDevicesA(nullptr, 0, &device, 0);
    char folder[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    GetColorDirectoryA(nullptr, folder, &size);
    const std::string profile = std::string(folder) + "\\TonecastBenchWide.icc";
    if (!CopyFileA(argv[2], profile.c_str(), FALSE) ||
        !AssociateColorProfileWithDeviceA(nullptr, profile.c_str(), device.DeviceName)) {
        std::fprintf(stderr, "cannot associate %s with %s\n", argv[2], device.DeviceName);
        return 1;
    }

    TDisplay display;
    display.dc = reinterpret_cast<DeviceContext>(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    display.info.monitor = ScreenRect{0, 0, 1920, 1080};
    Engine().Displays.push_back(display);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string wide;
    Files().ReadFile(argv[2], wide, kMaxJpegFileBytes);
    const std::string photo = std::string(temp) + "TonecastBench24MP.jpg";
    const std::string widePhoto = std::string(temp) + "TonecastBench24MPAdobeRGB.jpg";
    JpegRecipe recipe{
        .width = 6000, .height = 4000, .quality = 90, .fullChroma = false, .pixel = Noise};
    Files().ReplaceFile(photo, EncodeJpeg(recipe));
    recipe.iccProfile = wide;
    Files().ReplaceFile(widePhoto, EncodeJpeg(recipe));
    std::printf("display profile %s\n", Colors().ProfileOf(display.dc).c_str());
    Measure("24-megapixel photograph, 1920 x 1080", photo, display.dc);
    Measure("24-megapixel photograph with the Adobe RGB profile embedded, 1920 x 1080", widePhoto,
            display.dc, wide);
    Measure("default image 1600 x 860, 1920 x 1080", argv[1], display.dc);

    DeleteFileA(photo.c_str());
    DeleteFileA(widePhoto.c_str());
    DisassociateColorProfileFromDeviceA(nullptr, profile.c_str(), device.DeviceName);
    DeleteFileA(profile.c_str());
    DeleteDC(reinterpret_cast<HDC>(display.dc));
    return 0;
}

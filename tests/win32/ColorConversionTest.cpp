// The Windows colour system converting bitmaps for a display: unchanged for Wine's sRGB
// display profile, changed for an Adobe-RGB-compatible profile associated with the display; and
// from the profile a picture carries instead of sRGB.

#include <gtest/gtest.h>

#include <windows.h>
// wingdi.h maps TextOut to TextOutA; Canvas::TextOut is a method name.
#undef TextOut
// after windows.h
#include <icm.h>

#include <fstream>
#include <sstream>
#include <string>

#include "fakes/MemoryFileSystem.h"
#include "ramp/Displays.h"
#include "render/ColorConversion.h"
#include "render/JpegEncode.h"
#include "render/PixelCanvas.h"
#include "render/ReferenceImage.h"
#include "win32/Win32ColorConverter.h"
#include "win32/Win32ColorTransform.h"

namespace {

MemoryFileSystem& TestFiles() {
    static MemoryFileSystem files;  // installed program-wide: must outlive every test
    return files;
}

// The converter under test, installed for the whole executable, and an empty file system, so
// that tests painting the Reference Image page without files of their own see no image
// instead of ending the process.
struct Install {
    Install() {
        UseWin32ColorConverter();
        UseFileSystem(TestFiles());
    }
} const installed;

const char kAdobeProfileSource[] = "Z:\\usr\\share\\color\\icc\\compatibleWithAdobeRGB1998.icc";
const char kAdobeProfileName[] = "TonecastTestAdobeRGB.icc";

std::string ProfileBytes(const char* name) {
    std::ifstream in(std::string("/usr/share/color/icc/") + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct DisplayDC {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ~DisplayDC() { DeleteDC(dc); }
    DeviceContext handle() const { return reinterpret_cast<DeviceContext>(dc); }
};

std::string ProfileOf(HDC dc) {
    char name[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return GetICMProfileA(dc, &size, name) ? name : "";
}

std::string FirstMonitorDevice() {
    DISPLAY_DEVICEA device{};
    device.cb = sizeof(device);
    EnumDisplayDevicesA(nullptr, 0, &device, 0);
    return device.DeviceName;
}

// A copy of the profile in the prefix's colour folder, associated with the first display for
// the life of the object; the prefix is left as it was found.
class AssociatedProfile {
public:
    AssociatedProfile() {
        char folder[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (!GetColorDirectoryA(nullptr, folder, &size))
            return;
        path_ = std::string(folder) + "\\" + kAdobeProfileName;
        if (!CopyFileA(kAdobeProfileSource, path_.c_str(), FALSE))
            return;
        device_ = FirstMonitorDevice();
        associated_ = AssociateColorProfileWithDeviceA(nullptr, path_.c_str(), device_.c_str());
    }
    ~AssociatedProfile() {
        if (associated_)
            DisassociateColorProfileFromDeviceA(nullptr, path_.c_str(), device_.c_str());
        if (!path_.empty())
            DeleteFileA(path_.c_str());
    }
    bool ok() const { return associated_; }
    const std::string& path() const { return path_; }

private:
    std::string path_, device_;
    bool associated_ = false;
};

struct Rgb {
    int r, g, b;
};
const Rgb kColours[] = {
    {255, 0, 0},     {0, 255, 0},     {0, 0, 255},  {224, 172, 140}, {250, 200, 220}, {0, 0, 0},
    {255, 255, 255}, {128, 128, 128}, {64, 64, 64}, {30, 90, 160},   {200, 230, 120},
};
constexpr int kCount = sizeof(kColours) / sizeof(kColours[0]);

// Two rows of the colours, the second reversed, so a row handed over with the wrong width or
// stride shows.
Bitmap ColourBitmap() {
    Bitmap bitmap;
    bitmap.width = kCount;
    bitmap.height = 2;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.Stride()) * 2, 0xEE);
    for (int x = 0; x < kCount; ++x) {
        const Rgb top = kColours[x], bottom = kColours[kCount - 1 - x];
        std::uint8_t* p = bitmap.Row(0) + 3 * x;
        p[0] = top.b, p[1] = top.g, p[2] = top.r;
        p = bitmap.Row(1) + 3 * x;
        p[0] = bottom.b, p[1] = bottom.g, p[2] = bottom.r;
    }
    return bitmap;
}

Rgb PixelAt(const Bitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

TEST(ColorConversionTest, SRgbDisplayProfileLeavesPixelsUnchanged) {
    DisplayDC display;
    ASSERT_NE(display.dc, nullptr);
    ASSERT_NE(ProfileOf(display.dc), "") << "Wine reports an sRGB profile for its displays";
    const Bitmap original = ColourBitmap();
    Bitmap bitmap = original;
    Colors().ConvertForDisplay(bitmap, display.handle(), {});
    EXPECT_EQ(bitmap.pixels, original.pixels);
}

TEST(ColorConversionTest, WiderGamutProfileDesaturatesAndKeepsNeutrals) {
    DisplayDC display;
    AssociatedProfile adobe;
    ASSERT_TRUE(adobe.ok());
    ASSERT_EQ(lstrcmpiA(ProfileOf(display.dc).c_str(), adobe.path().c_str()), 0)
        << ProfileOf(display.dc);

    const Bitmap original = ColourBitmap();
    Bitmap bitmap = original;
    Colors().ConvertForDisplay(bitmap, display.handle(), {});

    // The same colour gives the same result in both rows, at its own place in each.
    for (int x = 0; x < kCount; ++x) {
        const Rgb a = PixelAt(bitmap, x, 0), b = PixelAt(bitmap, kCount - 1 - x, 1);
        EXPECT_EQ(a.r, b.r);
        EXPECT_EQ(a.g, b.g);
        EXPECT_EQ(a.b, b.b);
    }
    // sRGB's primaries lie inside the wider gamut: pure red needs less red drive there, and
    // pure green some red and blue. The textbook figures are (219, 0, 0) and (144, 255, 60);
    // the colour engine may round them by a step or two.
    const Rgb red = PixelAt(bitmap, 0, 0), green = PixelAt(bitmap, 1, 0);
    EXPECT_NEAR(red.r, 219, 2);
    EXPECT_NEAR(red.g, 0, 2);
    EXPECT_NEAR(red.b, 0, 2);
    EXPECT_NEAR(green.r, 144, 2);
    EXPECT_NEAR(green.g, 255, 2);
    EXPECT_NEAR(green.b, 60, 2);
    // Black, white and greys stay neutral (both spaces share the D65 white point).
    for (int x : {5, 6, 7, 8}) {
        const Rgb grey = PixelAt(bitmap, x, 0);
        EXPECT_NEAR(grey.r, grey.g, 1) << x;
        EXPECT_NEAR(grey.b, grey.g, 1) << x;
    }
    EXPECT_EQ(PixelAt(bitmap, 5, 0).g, 0);
    EXPECT_EQ(PixelAt(bitmap, 6, 0).g, 255);
    // Row padding belongs to nobody and stays as it was.
    EXPECT_EQ(bitmap.Row(0)[bitmap.Stride() - 1], 0xEE);
}

// A photograph's worth of colours, converted in parts on several threads, comes out as the
// colour system gives each pixel on its own.
TEST(ColorConversionTest, LargeBitmapMatchesTheColourSystemPixelByPixel) {
    DisplayDC display;
    AssociatedProfile adobe;
    ASSERT_TRUE(adobe.ok());
    Bitmap bitmap;
    bitmap.width = 1283;
    bitmap.height = 411;
    bitmap.pixels.assign(static_cast<size_t>(bitmap.Stride()) * bitmap.height, 0xEE);
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const unsigned h =
                static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u;
            const unsigned key = h % 3 == 0 ? (h >> 4) % 4096 : h >> 8;  // repeats and singles
            std::uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(key), p[1] = static_cast<std::uint8_t>(key >> 8),
            p[2] = static_cast<std::uint8_t>(key >> 16);
        }
    const Bitmap original = bitmap;
    Bitmap expected = bitmap;
    const DisplayProfile opened(display.dc);
    ASSERT_NE(opened.get(), nullptr);
    const ColorTransform transform(nullptr, opened.get());
    ASSERT_NE(transform.get(), nullptr);
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            std::uint8_t* p = expected.Row(y) + 3 * x;
            TranslateBitmapBits(transform.get(), p, BM_RGBTRIPLETS, 1, 1, 0, p, BM_RGBTRIPLETS, 0,
                                nullptr, 0);
        }

    Colors().ConvertForDisplay(bitmap, display.handle(), {});
    EXPECT_FALSE(bitmap.pixels == original.pixels);
    EXPECT_TRUE(bitmap.pixels == expected.pixels);
}

TEST(ColorConversionTest, NothingChangesWithoutAColourBitmapOrAProfile) {
    DisplayDC display;
    AssociatedProfile adobe;
    ASSERT_TRUE(adobe.ok());

    Bitmap grey;
    grey.width = 5;
    grey.height = 3;
    grey.bitsPerPixel = 8;
    grey.pixels = {10,  20, 30, 40, 50, 0, 0, 0, 60, 70, 80, 90,
                   100, 0,  0,  0,  1,  2, 3, 4, 5,  0,  0,  0};
    const Bitmap greyOriginal = grey;
    Colors().ConvertForDisplay(grey, display.handle(), {});
    EXPECT_EQ(grey.pixels, greyOriginal.pixels);

    const Bitmap original = ColourBitmap();
    Bitmap noDisplay = original;
    Colors().ConvertForDisplay(noDisplay, 0, {});
    EXPECT_EQ(noDisplay.pixels, original.pixels);

    Bitmap empty;
    Colors().ConvertForDisplay(empty, display.handle(), {});
    EXPECT_TRUE(empty.pixels.empty());
}

// The colours of an sRGB picture saved in Adobe RGB with that profile embedded come back to the
// sRGB display as the picture's own, within rounding; a damaged profile gives way to sRGB.
TEST(ColorConversionTest, APicturesOwnProfileIsConvertedFrom) {
    DisplayDC display;
    const std::string adobeProfile = ProfileBytes("compatibleWithAdobeRGB1998.icc");
    ASSERT_GT(adobeProfile.size(), 132u);
    const Bitmap original = ColourBitmap();
    Bitmap adobe = original;
    {
        AssociatedProfile wide;
        ASSERT_TRUE(wide.ok());
        ASSERT_TRUE(Colors().ConvertForDisplay(adobe, display.handle(), {}));
    }
    ASSERT_NE(ProfileOf(display.dc), "");
    Bitmap back = adobe;
    EXPECT_TRUE(Colors().ConvertForDisplay(back, display.handle(), adobeProfile));
    for (int x = 0; x < kCount; ++x) {
        const Rgb want = PixelAt(original, x, 0), got = PixelAt(back, x, 0);
        EXPECT_NEAR(got.r, want.r, 2) << x;
        EXPECT_NEAR(got.g, want.g, 2) << x;
        EXPECT_NEAR(got.b, want.b, 2) << x;
    }

    std::string damaged = adobeProfile;
    damaged.replace(36, 4, "acsX");
    std::string truncated = adobeProfile.substr(0, adobeProfile.size() / 2);
    for (const std::string& profile : {damaged, truncated, ProfileBytes("Gray.icc")}) {
        Bitmap asSRgb = adobe, expected = adobe;
        EXPECT_FALSE(Colors().ConvertForDisplay(asSRgb, display.handle(), profile));
        Colors().ConvertForDisplay(expected, display.handle(), {});
        EXPECT_EQ(asSRgb.pixels, expected.pixels);
    }
}

// A grey picture with a grey profile becomes the display's colours for its levels, and stays
// grey; without a profile, or with a colour one, it is shown as decoded.
TEST(ColorConversionTest, GreyPictureWithAGreyProfileStaysGrey) {
    DisplayDC display;
    AssociatedProfile adobe;
    ASSERT_TRUE(adobe.ok());
    Bitmap grey;
    grey.width = 256;
    grey.height = 2;
    grey.bitsPerPixel = 8;
    grey.pixels.resize(512);
    for (int i = 0; i < 512; ++i)
        grey.pixels[i] = static_cast<std::uint8_t>(i < 256 ? i : 511 - i);
    Bitmap colourProfile = grey;
    EXPECT_FALSE(Colors().ConvertForDisplay(colourProfile, display.handle(),
                                            ProfileBytes("compatibleWithAdobeRGB1998.icc")));
    EXPECT_EQ(colourProfile.pixels, grey.pixels);

    Bitmap shown = grey;
    EXPECT_TRUE(Colors().ConvertForDisplay(shown, display.handle(), ProfileBytes("Gray.icc")));
    ASSERT_EQ(shown.bitsPerPixel, 24);
    int previous = -1;
    for (int x = 0; x < 256; ++x) {
        const Rgb level = PixelAt(shown, x, 0);
        EXPECT_NEAR(level.r, level.g, 1) << x;
        EXPECT_NEAR(level.b, level.g, 1) << x;
        EXPECT_GE(level.g, previous) << x;
        previous = level.g;
        const Rgb mirrored = PixelAt(shown, 255 - x, 1);
        EXPECT_EQ(mirrored.g, level.g) << x;
    }
    EXPECT_EQ(PixelAt(shown, 0, 0).g, 0);
    EXPECT_EQ(PixelAt(shown, 255, 0).g, 255);
}

// The page as the program paints it: colour images go through the display's profile,
// greyscale images are drawn as decoded.
TEST(ColorConversionTest, ReferenceImageIsConvertedOnlyWhenInColour) {
    DisplayDC display;
    AssociatedProfile adobe;
    ASSERT_TRUE(adobe.ok());
    Engine() = DisplayState{};
    TDisplay selected;
    selected.dc = display.handle();
    selected.info.monitor = ScreenRect{0, 0, 1920, 1080};
    Engine().Displays.push_back(selected);

    MemoryFileSystem& files = TestFiles();
    files = MemoryFileSystem{};
    UseFileSystem(files);
    files.AddFile("C:\\P\\red.jpg",
                  EncodeJpeg({.width = 1000, .height = 600, .pixel = [](int, int) {
                                  return Color{255, 0, 0};
                              }}));
    files.AddFile(
        "C:\\P\\grey.jpg",
        EncodeJpeg({.width = 1000, .height = 600, .input = JCS_GRAYSCALE, .pixel = [](int, int) {
                        return Grey(100);
                    }}));
    UseWin32ColorConverter();

    PixelCanvas canvas(1920, 1080);
    DrawReferenceImage(canvas, "C:\\P\\red.jpg", 1920, 1080, {});
    const Color red = canvas.At(960, 540);
    EXPECT_NEAR(red.r, 219, 2);
    EXPECT_NEAR(red.g, 0, 2);
    EXPECT_EQ(canvas.At(460, 240), red);
    EXPECT_EQ(canvas.At(1459, 839), red);
    EXPECT_EQ(canvas.At(459, 240), kBlack);

    DrawReferenceImage(canvas, "C:\\P\\grey.jpg", 1920, 1080, {});
    EXPECT_EQ(canvas.At(460, 240), Grey(100));
    EXPECT_EQ(canvas.At(1459, 839), Grey(100));

    Engine() = DisplayState{};
}

}  // namespace

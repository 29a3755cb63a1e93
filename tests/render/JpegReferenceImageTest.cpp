// The reference image on the page: decoded, converted for the selected display and centred on
// it, or not drawn at all.

#include <gtest/gtest.h>

#include <set>

#include "PixelChecks.h"
#include "fakes/MemoryFileSystem.h"
#include "render/ColorConversion.h"
#include "render/JpegEncode.h"
#include "render/ReferenceImage.h"
#include "ui/Pages.h"

namespace {

constexpr Color kConverted{1, 2, 3};

// Paints every pixel it is given in one colour, so the canvas shows whether the drawn image
// went through it, and remembers what it was asked.
class MarkingConverter : public ColorConverter {
public:
    bool ConvertForDisplay(Bitmap& bitmap, DeviceContext dc, std::string_view profile) override {
        calls.push_back(
            {dc, bitmap.bitsPerPixel, bitmap.width, bitmap.height, std::string(profile)});
        if (bitmap.bitsPerPixel != 24)
            return profileUsable;
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x) {
                std::uint8_t* p = bitmap.Row(y) + 3 * x;
                p[0] = kConverted.b, p[1] = kConverted.g, p[2] = kConverted.r;
            }
        return profileUsable;
    }
    struct Call {
        DeviceContext dc;
        int bitsPerPixel, width, height;
        std::string profile;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    bool profileUsable = true;
};

// Grey level of the flat 8 x 8 block holding image pixel (x, y).
int BlockLevel(int x, int y) {
    return ((x / 8) * 7 + (y / 8) * 13) % 256;
}

// Installed program-wide, so it has to outlive every test of the executable.
MemoryFileSystem& TestFiles() {
    static MemoryFileSystem files;
    return files;
}

// Every paint of the Reference Image page reads through Files(). The executable starts with
// an empty file system installed, so that tests painting that page without files of their own
// see a missing image instead of ending the process.
const bool kEmptyFilesInstalled = [] {
    UseFileSystem(TestFiles());
    return true;
}();

class ReferenceImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseSingleDisplay(1920, 1080);
        Engine().Displays[0].dc = 0x71;
        files = MemoryFileSystem{};
        UseFileSystem(files);
        UseColorConverter(converter);
        ForgetReferenceImage();
    }
    void TearDown() override {
        static class : public ColorConverter {
            bool ConvertForDisplay(Bitmap&, DeviceContext, std::string_view) override {
                return true;
            }
        } none;
        UseColorConverter(none);
    }
    void AddColourImage(const std::string& path, int width, int height) {
        files.AddFile(
            path,
            EncodeJpeg({.width = width, .height = height, .quality = 75, .pixel = [](int, int) {
                            return Color{200, 100, 50};
                        }}));
    }
    void AddGreyImage(const std::string& path, int width, int height) {
        files.AddFile(path,
                      EncodeJpeg({.width = width,
                                  .height = height,
                                  .input = JCS_GRAYSCALE,
                                  .pixel = [](int x, int y) { return Grey(BlockLevel(x, y)); }}));
    }

    void Draw(const std::string& path) { DrawReferenceImage(canvas, path, 1920, 1080, texts); }

    MemoryFileSystem& files = TestFiles();
    MarkingConverter converter;
    PixelCanvas canvas{1920, 1080};
    const ReferenceImageTexts texts{
        "damaged %s",   "unsupported %s", "%s over %s MP", "%s unreadable: %s",
        "%s no memory", "%s not local",   Grey(128)};
};

TEST_F(ReferenceImageTest, ColourImageIsConvertedForTheSelectedDisplayAndCentred) {
    AddColourImage("C:\\Tonecast\\TonecastRef.sRGB.jpg", 1000, 600);
    Draw("C:\\Tonecast\\TonecastRef.sRGB.jpg");
    EXPECT_EQ(converter.calls, (std::vector<MarkingConverter::Call>{{0x71, 24, 1000, 600, ""}}));
    EXPECT_EQ(PaintedBox(canvas), (Box{460, 240, 1460, 840}));
    EXPECT_TRUE(AllOf(canvas, {460, 240, 1460, 840}, kConverted));
}

// The header of an ICC profile with an empty tag table: enough for the page to judge it.
std::string HeaderOnlyProfile(const char* deviceClass, const char* data,
                              const char* connection = "XYZ ") {
    std::string profile(132, '\0');
    profile[3] = static_cast<char>(132);
    profile.replace(12, 4, deviceClass);
    profile.replace(16, 4, data);
    profile.replace(20, 4, connection);
    profile.replace(36, 4, "acsp");
    return profile;
}

// A phone's portrait photograph is placed upright, and the colour profile its file carries goes
// to the conversion with it; when the profile cannot be used, the page knows.
TEST_F(ReferenceImageTest, TurnedPhotoIsPlacedUprightAndConvertedFromItsOwnProfile) {
    const std::string rgb = HeaderOnlyProfile("mntr", "RGB "),
                      grey = HeaderOnlyProfile("scnr", "GRAY");
    files.AddFile(
        "C:\\P\\phone.jpg",
        EncodeJpeg({.width = 600, .height = 1000, .exif = ExifBlock(6), .iccProfile = rgb}));
    Draw("C:\\P\\phone.jpg");
    EXPECT_EQ(converter.calls, (std::vector<MarkingConverter::Call>{{0x71, 24, 1000, 600, rgb}}));
    EXPECT_EQ(PaintedBox(canvas), (Box{460, 240, 1460, 840}));
    EXPECT_FALSE(ReferenceImageProfileUnusable("C:\\P\\phone.jpg"));

    // Refused by the colour system.
    converter.profileUsable = false;
    files.AddFile("C:\\P\\refused.jpg", EncodeJpeg({.width = 8, .height = 8, .iccProfile = rgb}));
    Draw("C:\\P\\refused.jpg");
    EXPECT_TRUE(ReferenceImageProfileUnusable("C:\\P\\refused.jpg"));
    EXPECT_FALSE(ReferenceImageProfileUnusable("C:\\P\\phone.jpg"));  // not the one shown
    converter.profileUsable = true;

    // A grey profile for grey pixels goes to the conversion; one that does not fit the pixels
    // does not, and is reported without asking the colour system.
    const struct {
        const char* name;
        J_COLOR_SPACE input;
        std::string profile;
        bool converted, unusable;
    } cases[] = {
        {"grey.jpg", JCS_GRAYSCALE, grey, true, false},
        {"grey-rgb.jpg", JCS_GRAYSCALE, rgb, false, true},
        {"rgb-grey.jpg", JCS_RGB, grey, true, true},
        {"link.jpg", JCS_RGB, HeaderOnlyProfile("link", "RGB "), true, true},
    };
    for (const auto& c : cases) {
        converter.calls.clear();
        const std::string path = std::string("C:\\P\\") + c.name;
        files.AddFile(
            path, EncodeJpeg({.width = 8, .height = 8, .input = c.input, .iccProfile = c.profile}));
        Draw(path);
        ASSERT_EQ(converter.calls.size(), c.converted ? 1u : 0u) << c.name;
        if (c.converted) {
            EXPECT_EQ(converter.calls[0].profile, c.unusable ? "" : c.profile) << c.name;
        }
        EXPECT_EQ(ReferenceImageProfileUnusable(path), c.unusable) << c.name;
    }
}

// What a profile's header must say for the page to hand it to the colour system.
TEST(ProfileFitsImageTest, OnlyWholeConvertibleProfilesOfThePixelsKindFit) {
    const std::string rgb = HeaderOnlyProfile("mntr", "RGB ");
    EXPECT_TRUE(ProfileFitsImage(rgb, 24));
    EXPECT_FALSE(ProfileFitsImage(rgb, 8));
    EXPECT_TRUE(ProfileFitsImage(HeaderOnlyProfile("scnr", "GRAY", "Lab "), 8));
    EXPECT_FALSE(ProfileFitsImage(HeaderOnlyProfile("spac", "GRAY"), 24));
    EXPECT_TRUE(ProfileFitsImage(HeaderOnlyProfile("prtr", "RGB ", "Lab "), 24));
    for (const char* unconvertible : {"link", "abst", "nmcl"})
        EXPECT_FALSE(ProfileFitsImage(HeaderOnlyProfile(unconvertible, "RGB "), 24));
    EXPECT_FALSE(ProfileFitsImage(HeaderOnlyProfile("mntr", "CMYK"), 24));
    EXPECT_FALSE(ProfileFitsImage(HeaderOnlyProfile("mntr", "RGB ", "RGB "), 24));
    EXPECT_FALSE(ProfileFitsImage(rgb.substr(0, 131), 24));
    auto changed = [&](size_t at, char byte) {
        std::string bytes = rgb;
        bytes[at] = byte;
        return ProfileFitsImage(bytes, 24);
    };
    EXPECT_FALSE(changed(3, static_cast<char>(133)));  // longer than its bytes
    EXPECT_FALSE(changed(131, 1));                     // a tag beyond its end
    EXPECT_FALSE(changed(36, 'b'));                    // no signature
    EXPECT_TRUE(ProfileFitsImage(rgb + "trailing", 24));
}

TEST_F(ReferenceImageTest, CentringFollowsTheSelectedDisplay) {
    AddDisplay(ScreenRect{-1280, 0, 0, 1024});
    Engine().Displays[1].dc = 0x72;
    Engine().CurrentDisplay = 1;
    AddColourImage("C:\\P\\odd.jpg", 1001, 601);
    Draw("C:\\P\\odd.jpg");
    ASSERT_EQ(converter.calls.size(), 1u);
    EXPECT_EQ(converter.calls[0].dc, 0x72);
    // 1280 div 2 - 1001 div 2 = 140, 1024 div 2 - 601 div 2 = 212.
    EXPECT_EQ(PaintedBox(canvas), (Box{140, 212, 1141, 813}));
}

// The help text and the file name get a backing of the page's background, exactly where the
// window says their text lies, over the image and nowhere else.
TEST_F(ReferenceImageTest, ThePageBacksTheTextsOverTheImageOnly) {
    AddColourImage("C:\\P\\full.jpg", 1920, 1080);
    PageView view;
    view.page = 8;
    view.clientWidth = 1920;
    view.clientHeight = 1080;
    view.panelTop = 1027;
    view.referenceImagePath = "C:\\P\\full.jpg";
    view.textBackings = {{70, 0, 362, 147}, {1702, 1010, 1850, 1023}};
    PaintPage(canvas, view);
    EXPECT_TRUE(AllOf(canvas, {70, 0, 362, 147}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {1702, 1010, 1850, 1023}, kBlack));
    EXPECT_TRUE(AllOf(canvas, {64, 147, 1856, 1010}, kConverted));
    EXPECT_EQ(canvas.At(362, 0), kConverted);
    EXPECT_EQ(canvas.At(69, 0), kConverted);
    EXPECT_EQ(canvas.At(1701, 1015), kConverted);
    EXPECT_EQ(canvas.At(1850, 1015), kConverted);
    EXPECT_EQ(canvas.At(1702, 1023), kConverted);
}

// 2000 x 1200 on 1920 x 1080: 40 columns and 60 rows cut off on each side.
TEST_F(ReferenceImageTest, LargerImageIsCroppedEquallyOnAllSides) {
    AddGreyImage("C:\\P\\big.jpg", 2000, 1200);
    Draw("C:\\P\\big.jpg");
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            ASSERT_EQ(canvas.At(x, y), Grey(BlockLevel(x + 40, y + 60))) << x << "," << y;
}

TEST_F(ReferenceImageTest, GreyscaleImageIsDrawnUnconverted) {
    AddGreyImage("C:\\P\\grey.jpg", 64, 32);
    Draw("C:\\P\\grey.jpg");
    EXPECT_TRUE(converter.calls.empty());
    EXPECT_EQ(PaintedBox(canvas), (Box{928, 524, 992, 556}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(canvas.At(928 + x, 524 + y), Grey(BlockLevel(x, y))) << x << "," << y;
}

// No pixel of a file that cannot be shown is drawn; one line says why, centred in the page's
// text colour on its background. A missing file draws nothing at all.
TEST_F(ReferenceImageTest, FilesThatCannotBeShownSayWhy) {
    const std::string good = EncodeJpeg({.width = 64, .height = 64});
    files.AddFile("C:\\P\\cut.jpg", good.substr(0, good.size() / 2));
    files.AddFile("C:\\P\\text.jpg", "Tonecast");
    files.AddFile("C:\\P\\huge.jpg", WithFrameSize(good, 65000, 65000));
    files.AddFile("C:\\P\\cmyk.jpg", EncodeJpeg({.width = 8, .height = 8, .input = JCS_CMYK}));
    const struct {
        const char* path;
        std::string line;
    } cases[] = {
        {"C:\\P\\none.jpg", ""},
        {"", ""},
        {"C:\\P\\cut.jpg", "damaged cut.jpg"},
        {"C:\\P\\text.jpg", "damaged text.jpg"},
        {"C:\\P\\huge.jpg", "huge.jpg over 67 MP"},
        {"C:\\P\\cmyk.jpg", "unsupported cmyk.jpg"},
    };
    for (const auto& c : cases) {
        canvas = PixelCanvas(1920, 1080);
        Draw(c.path);
        EXPECT_EQ(PaintedBox(canvas), Box{}) << c.path;
        if (c.line.empty()) {
            EXPECT_TRUE(canvas.Texts().empty()) << c.path;
            continue;
        }
        const int width = PixelCanvas::kTextCellWidth * static_cast<int>(c.line.size());
        EXPECT_EQ(canvas.Texts(),
                  (std::vector<TextRecord>{{960 - width / 2, 540 - 6, c.line, Grey(128), kBlack}}));
    }
    EXPECT_TRUE(converter.calls.empty());
    JpegResult unreadable{JpegStatus::kUnreadable, "Access denied."};
    EXPECT_EQ(ReferenceImageFailureText(unreadable, "C:\\P\\locked.jpg", texts),
              "locked.jpg unreadable: Access denied.");
}

// A colour mapping that, like the colour system's, depends on each pixel alone.
void MapPixel(std::uint8_t* p) {
    const std::uint8_t b = p[0], g = p[1], r = p[2];
    p[0] = static_cast<std::uint8_t>(255 - r), p[1] = g ^ 0x5A,
    p[2] = static_cast<std::uint8_t>(b / 2 + 7);
}

class PixelwiseConverter : public ColorConverter {
public:
    bool ConvertForDisplay(Bitmap& bitmap, DeviceContext, std::string_view) override {
        ++calls;
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x)
                MapPixel(bitmap.Row(y) + 3 * x);
        return true;
    }
    std::string ProfileOf(DeviceContext) override { return profile; }
    int calls = 0;
    std::string profile = "C:\\colour\\display.icc";
};

// Camera-like noise: neighbouring pixels differ, so a column or row taken from the wrong place,
// or upsampled from the wrong neighbours, shows.
Color Noise(int x, int y, int salt) {
    const unsigned h = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u ^
                       static_cast<unsigned>(salt) * 83492791u;
    return Color{static_cast<std::uint8_t>(h >> 3), static_cast<std::uint8_t>(h >> 11),
                 static_cast<std::uint8_t>((x + y) / 4 + (h >> 27))};
}

// What the page showed before images were cropped and kept: the whole file decoded, converted
// and drawn centred.
PixelCanvas FullDecode(const std::string& bytes, ColorConverter& converter) {
    PixelCanvas expected(1920, 1080);
    Bitmap bitmap;
    EXPECT_TRUE(DecodeJpeg(bytes, bitmap));
    if (bitmap.bitsPerPixel == 24)
        converter.ConvertForDisplay(bitmap, 0, {});
    expected.DrawBitmap(CenterX(bitmap.width), CenterY(bitmap.height), bitmap);
    return expected;
}

TEST_F(ReferenceImageTest, CroppedAndKeptImageIsWhatAFullDecodeShows) {
    PixelwiseConverter pixelwise;
    UseColorConverter(pixelwise);
    const struct {
        int width, height;
        J_COLOR_SPACE input;
        bool progressive;
    } cases[] = {
        {2101, 1203, JCS_RGB, false},        // larger both ways, odd, 4:2:0
        {641, 479, JCS_RGB, false},          // smaller, odd
        {1999, 1100, JCS_GRAYSCALE, false},  // greyscale, larger
        {2400, 1300, JCS_RGB, true},         // progressive, larger
    };
    int salt = 0;
    for (const auto& c : cases) {
        const std::string path = "C:\\P\\photo.jpg";
        auto encode = [&] {
            ++salt;
            return EncodeJpeg({.width = c.width,
                               .height = c.height,
                               .input = c.input,
                               .quality = 90,
                               .progressive = c.progressive,
                               .fullChroma = false,
                               .pixel = [salt](int x, int y) { return Noise(x, y, salt); }});
        };
        const std::string first = encode();
        files.AddFile(path, first, salt);
        const int callsBefore = pixelwise.calls;
        canvas = PixelCanvas(1920, 1080);
        Draw(path);
        EXPECT_EQ(pixelwise.calls - callsBefore, c.input == JCS_RGB ? 1 : 0);
        const PixelCanvas expected = FullDecode(first, pixelwise);
        ASSERT_TRUE(canvas.Pixels() == expected.Pixels()) << c.width;
        // The next paint draws the kept image without decoding or converting again.
        const int callsAfterFirst = pixelwise.calls;
        canvas = PixelCanvas(1920, 1080);
        Draw(path);
        EXPECT_EQ(pixelwise.calls, callsAfterFirst);
        ASSERT_TRUE(canvas.Pixels() == expected.Pixels()) << c.width;

        // Another image of the same size replacing the file shows at the next paint.
        const std::string second = encode();
        files.AddFile(path, second, salt);
        canvas = PixelCanvas(1920, 1080);
        Draw(path);
        ASSERT_TRUE(canvas.Pixels() == FullDecode(second, pixelwise).Pixels()) << c.width;
    }
    // A change of the display's profile converts afresh.
    const int calls = pixelwise.calls;
    pixelwise.profile = "C:\\colour\\other.icc";
    Draw("C:\\P\\photo.jpg");
    EXPECT_EQ(pixelwise.calls, calls + 1);
}

// Each distinct colour goes to the conversion once, and every pixel of it gets its result.
TEST(DistinctColorsTest, EveryPixelEndsAsItsOwnConversion) {
    Bitmap bitmap;
    bitmap.width = 1001;  // rows padded by one byte
    bitmap.height = 67;
    bitmap.pixels.assign(static_cast<std::size_t>(bitmap.Stride()) * bitmap.height, 0xEE);
    std::set<std::uint32_t> distinct;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            // Mostly colours that repeat all over the bitmap, some of them only once; the
            // first pixels are the lowest and highest colours and both sides of a table word.
            const std::uint32_t corners[] = {0x000000, 0xFFFFFF, 63, 64, 0x7FFFBF, 0x7FFFC0};
            const std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^
                                    static_cast<std::uint32_t>(y) * 19349663u;
            const std::uint32_t key = y == 0 && x < 6 ? corners[x]
                                      : h % 5 == 0    ? h >> 8
                                                      : (h >> 8) % 997 * 16811;
            std::uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(key), p[1] = static_cast<std::uint8_t>(key >> 8),
            p[2] = static_cast<std::uint8_t>(key >> 16);
            distinct.insert(key & 0xFFFFFF);
        }
    Bitmap expected = bitmap;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            MapPixel(expected.Row(y) + 3 * x);

    std::vector<std::uint32_t> handedOver;
    ConvertDistinctColors(bitmap, [&](std::uint8_t* pixels, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i, pixels += 3) {
            handedOver.push_back(std::uint32_t{pixels[0]} | std::uint32_t{pixels[1]} << 8 |
                                 std::uint32_t{pixels[2]} << 16);
            MapPixel(pixels);
        }
    });
    EXPECT_EQ(handedOver, std::vector<std::uint32_t>(distinct.begin(), distinct.end()));
    EXPECT_TRUE(bitmap.pixels == expected.pixels);
}

TEST_F(ReferenceImageTest, NothingIsDrawnWithoutASelectedDisplay) {
    AddColourImage("C:\\P\\a.jpg", 16, 16);
    Engine() = DisplayState{};
    Draw("C:\\P\\a.jpg");
    EXPECT_EQ(PaintedBox(canvas), Box{});
}

}  // namespace

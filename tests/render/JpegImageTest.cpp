// Decoding of JPEG files: pixels of files made here with libjpeg's compressor, and the clear
// failure of every kind of bad input.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "fakes/MemoryFileSystem.h"
#include "render/ImageOrientation.h"
#include "render/JpegEncode.h"
#include "render/JpegImage.h"

namespace {

// Quality 100 with full-resolution chroma quantises flat 8 x 8 blocks so finely that the only
// loss left is the rounding of the colour transform: each channel comes back within 1 of what
// was written. Greyscale has no colour transform and comes back exact.
constexpr int kColourTolerance = 1;

const Color kPalette[] = {
    {255, 0, 0},     {0, 255, 0},   {0, 0, 255},     {224, 172, 140},  // skin
    {128, 128, 128}, {0, 0, 0},     {255, 255, 255}, {250, 200, 220},  // pastel
    {30, 90, 160},   {255, 255, 0},
};

// Flat 8 x 8 blocks of the palette, five across (the fifth also fills any wider right edge).
Color PaletteBlocks(int x, int y) {
    return kPalette[((y / 8) * 5 + std::min(x / 8, 4)) % 10];
}

void ExpectNear(const Bitmap& bitmap, int x, int y, Color want) {
    const std::uint8_t* p = bitmap.Row(y) + 3 * x;
    EXPECT_NEAR(p[0], want.b, kColourTolerance) << "blue at " << x << "," << y;
    EXPECT_NEAR(p[1], want.g, kColourTolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(p[2], want.r, kColourTolerance) << "red at " << x << "," << y;
}

TEST(JpegImageTest, ColourFileDecodesToBlueGreenRedRowsWithPaddedStride) {
    const std::string file = EncodeJpeg({.width = 38, .height = 16, .pixel = PaletteBlocks});
    Bitmap bitmap;
    ASSERT_TRUE(DecodeJpeg(file, bitmap));
    EXPECT_EQ(bitmap.width, 38);
    EXPECT_EQ(bitmap.height, 16);
    EXPECT_EQ(bitmap.bitsPerPixel, 24);
    ASSERT_EQ(bitmap.Stride(), 116);  // 114 bytes of pixels, padded to a multiple of 4
    ASSERT_EQ(bitmap.pixels.size(), 116u * 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 38; ++x)
            ExpectNear(bitmap, x, y, PaletteBlocks(x, y));
        EXPECT_EQ(bitmap.Row(y)[114], 0);
        EXPECT_EQ(bitmap.Row(y)[115], 0);
    }
}

TEST(JpegImageTest, GreyscaleFileDecodesToExactGreyBytes) {
    const int levels[] = {0, 31, 127, 200, 255, 1};
    const std::string file =
        EncodeJpeg({.width = 41, .height = 8, .input = JCS_GRAYSCALE, .pixel = [&](int x, int) {
                        return Grey(levels[x / 8]);
                    }});
    Bitmap bitmap;
    ASSERT_TRUE(DecodeJpeg(file, bitmap));
    EXPECT_EQ(bitmap.bitsPerPixel, 8);
    ASSERT_EQ(bitmap.Stride(), 44);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 41; ++x)
            EXPECT_EQ(bitmap.Row(y)[x], levels[x / 8]) << x << "," << y;
        for (int x = 41; x < 44; ++x)
            EXPECT_EQ(bitmap.Row(y)[x], 0);
    }
}

TEST(JpegImageTest, ProgressiveFileDecodesLikeItsBaselineTwin) {
    JpegRecipe recipe{.width = 38, .height = 16, .pixel = PaletteBlocks};
    Bitmap baseline;
    ASSERT_TRUE(DecodeJpeg(EncodeJpeg(recipe), baseline));
    recipe.progressive = true;
    const std::string file = EncodeJpeg(recipe);
    ASSERT_NE(file.find("\xFF\xC2"), std::string::npos) << "no progressive frame written";
    Bitmap progressive;
    ASSERT_TRUE(DecodeJpeg(file, progressive));
    EXPECT_EQ(progressive.width, 38);
    EXPECT_EQ(progressive.pixels, baseline.pixels);
}

// Every cut through a file, baseline and progressive, up to the last data byte before the end
// marker, is a failure that leaves no pixels behind, cropped or not; libjpeg alone would pad it
// with grey.
TEST(JpegImageTest, TruncatedFilesFailWithoutPixels) {
    for (bool progressive : {false, true}) {
        const std::string file = EncodeJpeg(
            {.width = 24, .height = 16, .progressive = progressive, .pixel = PaletteBlocks});
        ASSERT_EQ(file.substr(file.size() - 2), "\xFF\xD9");
        for (size_t length = 0; length + 2 < file.size(); ++length) {
            Bitmap bitmap;
            bitmap.width = 5;  // a leftover must be cleared too
            const JpegResult result = DecodeJpeg(std::string_view(file).substr(0, length), bitmap);
            ASSERT_EQ(result.status, JpegStatus::kCorrupt)
                << (progressive ? "progressive" : "baseline") << " cut at " << length;
            EXPECT_FALSE(result.message.empty());
            EXPECT_EQ(bitmap.width, 0);
            EXPECT_EQ(bitmap.height, 0);
            EXPECT_TRUE(bitmap.pixels.empty());
            // Damage below a crop is found as well: the part shown is never of a bad file.
            const auto topLeft = [](int, int) { return JpegRect{0, 0, 8, 8}; };
            EXPECT_EQ(DecodeJpeg(std::string_view(file).substr(0, length), bitmap, topLeft).status,
                      JpegStatus::kCorrupt);
        }
    }
}

// libjpeg itself only warns about these and paints the missing part grey.
TEST(JpegImageTest, ImageDataEndingBeforeTheEndMarkerFails) {
    for (bool progressive : {false, true}) {
        const std::string file = EncodeJpeg(
            {.width = 64, .height = 64, .progressive = progressive, .pixel = PaletteBlocks});
        for (size_t cut : {file.size() - 40, file.size() - 300}) {
            Bitmap bitmap;
            const JpegResult result = DecodeJpeg(file.substr(0, cut) + "\xFF\xD9", bitmap);
            EXPECT_EQ(result.status, JpegStatus::kCorrupt) << progressive << " " << cut;
            EXPECT_TRUE(bitmap.pixels.empty());
        }
    }
}

TEST(JpegImageTest, StrayBytesBetweenSegmentsAreTolerated) {
    const std::string file = EncodeJpeg({.width = 16, .height = 16, .pixel = PaletteBlocks});
    Bitmap clean, stray;
    ASSERT_TRUE(DecodeJpeg(file, clean));
    const size_t frame = file.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    std::string withStray = file;
    withStray.insert(frame, "junk");
    ASSERT_TRUE(DecodeJpeg(withStray, stray));
    EXPECT_EQ(stray.pixels, clean.pixels);
}

TEST(JpegImageTest, ForeignAndDamagedBytesFail) {
    std::string random(4096, '\0');
    std::srand(8);
    for (char& c : random)
        c = static_cast<char>(std::rand());
    std::string damaged = EncodeJpeg({.width = 32, .height = 32, .pixel = PaletteBlocks});
    damaged.replace(damaged.size() / 2, 64, 64, '\xFF');  // markers in the middle of the data

    const std::string cases[] = {
        "",
        "not a JPEG file",
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
        std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6),  // start, then a segment longer than the file
        random,
        damaged,
    };
    for (const std::string& bytes : cases) {
        Bitmap bitmap;
        const JpegResult result = DecodeJpeg(bytes, bitmap);
        EXPECT_EQ(result.status, JpegStatus::kCorrupt) << bytes.size() << " bytes";
        EXPECT_FALSE(result.message.empty());
        EXPECT_TRUE(bitmap.pixels.empty());
    }
}

TEST(JpegImageTest, HeadersClaimingTooManyPixelsAreRefusedBeforeAllocation) {
    const std::string small = EncodeJpeg({.width = 16, .height = 16, .pixel = PaletteBlocks});
    struct {
        int width, height;
        JpegStatus status;
    } const cases[] = {
        {65500, 65500, JpegStatus::kTooLarge},  // 4.3 gigapixels: 12 GiB as a bitmap
        {65500, 1025, JpegStatus::kTooLarge},   // 67,137,500: just above 2^26
        {8193, 8192, JpegStatus::kTooLarge},
        {0, 16, JpegStatus::kCorrupt},
        {16, 0, JpegStatus::kCorrupt},
        {640, 480, JpegStatus::kCorrupt},  // allowed, but the data ends long before
    };
    for (const auto& c : cases) {
        Bitmap bitmap;
        const JpegResult result = DecodeJpeg(WithFrameSize(small, c.width, c.height), bitmap);
        EXPECT_EQ(result.status, c.status) << c.width << " x " << c.height;
        EXPECT_FALSE(result.message.empty());
        EXPECT_TRUE(bitmap.pixels.empty());
    }
}

// Kinds of JPEG the page cannot show are told apart from damaged files: CMYK, and 12-bit samples
// (the frame header's precision byte; the library is built for 8).
TEST(JpegImageTest, CmykAndTwelveBitFilesAreUnsupported) {
    std::string twelveBit = EncodeJpeg({.width = 8, .height = 8});
    const size_t frame = twelveBit.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    twelveBit[frame + 4] = 12;
    for (const std::string& file :
         {EncodeJpeg({.width = 8, .height = 8, .input = JCS_CMYK}), twelveBit}) {
        Bitmap bitmap;
        EXPECT_EQ(DecodeJpeg(file, bitmap).status, JpegStatus::kUnsupported);
        EXPECT_TRUE(bitmap.pixels.empty());
    }
}

// Six flat grey blocks, stored as
//   a b c
//   d e f
// and how each EXIF orientation shows them upright.
TEST(JpegImageTest, EveryExifOrientationTurnsThePictureUpright) {
    const int a = 10, b = 60, c = 110, d = 160, e = 210, f = 250;
    const int stored[2][3] = {{a, b, c}, {d, e, f}};
    const std::vector<std::vector<int>> upright[9] = {
        {},
        {{a, b, c}, {d, e, f}},
        {{c, b, a}, {f, e, d}},
        {{f, e, d}, {c, b, a}},
        {{d, e, f}, {a, b, c}},
        {{a, d}, {b, e}, {c, f}},
        {{d, a}, {e, b}, {f, c}},  // a phone held upright: turned a quarter clockwise
        {{f, c}, {e, b}, {d, a}},
        {{c, f}, {b, e}, {a, d}},
    };
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (bool bigEndian : {false, true}) {
            const std::string file =
                EncodeJpeg({.width = 24,
                            .height = 16,
                            .input = JCS_GRAYSCALE,
                            .pixel = [&](int x, int y) { return Grey(stored[y / 8][x / 8]); },
                            .exif = ExifBlock(orientation, bigEndian, orientation % 3)});
            Bitmap bitmap;
            const JpegResult result = DecodeJpeg(file, bitmap);
            ASSERT_TRUE(result);
            EXPECT_EQ(result.orientation, orientation);
            const auto& blocks = upright[orientation];
            ASSERT_EQ(bitmap.width, 8 * static_cast<int>(blocks[0].size())) << orientation;
            ASSERT_EQ(bitmap.height, 8 * static_cast<int>(blocks.size())) << orientation;
            for (int y = 0; y < bitmap.height; ++y)
                for (int x = 0; x < bitmap.width; ++x)
                    ASSERT_EQ(bitmap.Row(y)[x], blocks[y / 8][x / 8])
                        << orientation << " at " << x << "," << y;
        }
}

// The part of a turned picture asked for is exactly that part of the whole turned picture, and
// is said to lie where it was asked for.
TEST(JpegImageTest, CropOfATurnedPictureIsThatPartOfTheWholeOne) {
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const std::string file =
            EncodeJpeg({.width = 61,
                        .height = 43,
                        .quality = 90,
                        .fullChroma = false,
                        .pixel =
                            [](int x, int y) {
                                const unsigned h = static_cast<unsigned>(x) * 73856093u ^
                                                   static_cast<unsigned>(y) * 19349663u;
                                return Color{static_cast<std::uint8_t>(h >> 3),
                                             static_cast<std::uint8_t>(h >> 11),
                                             static_cast<std::uint8_t>(x * 4)};
                            },
                        .exif = ExifBlock(orientation)});
        Bitmap whole, part;
        const JpegResult full = DecodeJpeg(file, whole);
        ASSERT_TRUE(full);
        const bool turned = orientation >= 5;
        EXPECT_EQ(full.imageWidth, turned ? 43 : 61);
        EXPECT_EQ(whole.width, full.imageWidth);
        const JpegResult cropped = DecodeJpeg(file, part, [](int width, int height) {
            return JpegRect{7, 5, width - 11, height - 3};
        });
        ASSERT_TRUE(cropped);
        EXPECT_EQ(cropped.left, 7);
        EXPECT_EQ(cropped.top, 5);
        ASSERT_EQ(part.width, whole.width - 18);
        ASSERT_EQ(part.height, whole.height - 8);
        for (int y = 0; y < part.height; ++y)
            ASSERT_EQ(0, std::memcmp(part.Row(y), whole.Row(y + 5) + 3 * 7, 3 * part.width))
                << orientation << " row " << y;
    }
}

// Damaged or foreign EXIF blocks leave the picture as stored; every read stays inside the block.
TEST(JpegImageTest, DamagedExifBlocksMeanNoTurn) {
    const std::string block = ExifBlock(6, true, 2);
    ASSERT_EQ(ExifOrientation(block), 6);
    // Cut anywhere before the end of the value (then come padding and the next directory).
    for (size_t length = 0; length < block.size() - 6; ++length)
        EXPECT_EQ(ExifOrientation(block.substr(0, length)), 1) << length;
    auto changed = [&](size_t at, char byte) {
        std::string bytes = block;
        bytes[at] = byte;
        return ExifOrientation(bytes);
    };
    EXPECT_EQ(changed(6, 'X'), 1);              // no byte order
    EXPECT_EQ(changed(9, 43), 1);               // not TIFF
    EXPECT_EQ(changed(13, 0x7F), 1);            // directory beyond the block
    EXPECT_EQ(changed(6 + 10 + 24 + 3, 4), 1);  // a long, not a short
    EXPECT_EQ(changed(6 + 10 + 24 + 7, 2), 1);  // two values
    EXPECT_EQ(changed(6 + 10 + 24 + 9, 0), 1);  // 0
    EXPECT_EQ(changed(6 + 10 + 24 + 9, 9), 1);  // beyond 8
    EXPECT_EQ(ExifOrientation(std::string("Exif\0\0II\x2A\0\xFF\xFF\xFF\xFF", 14)), 1);
    EXPECT_EQ(ExifOrientation("http://ns.adobe.com/xap/1.0/"), 1);  // XMP, also in APP1
}

// A profile larger than one marker holds is split by the writer and put back together whole;
// a set with a marker missing gives no profile, and the picture still shows.
TEST(JpegImageTest, AnIccProfileSplitOverMarkersComesBackWhole) {
    std::string profile(150000, '\0');
    for (size_t i = 0; i < profile.size(); ++i)
        profile[i] = static_cast<char>(i * 7 + i / 251);
    const std::string file =
        EncodeJpeg({.width = 16, .height = 16, .pixel = PaletteBlocks, .iccProfile = profile});
    size_t markers = 0, second = 0;
    for (size_t at = file.find("ICC_PROFILE"); at != std::string::npos;
         at = file.find("ICC_PROFILE", at + 1))
        if (++markers == 2)
            second = at - 4;
    ASSERT_EQ(markers, 3u);
    Bitmap bitmap;
    const JpegResult result = DecodeJpeg(file, bitmap);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result.iccProfile == profile);
    EXPECT_EQ(bitmap.width, 16);

    const size_t length = static_cast<std::uint8_t>(file[second + 2]) * 256 +
                          static_cast<std::uint8_t>(file[second + 3]);
    std::string gap = file;
    gap.erase(second, 2 + length);
    const JpegResult withGap = DecodeJpeg(gap, bitmap);
    ASSERT_TRUE(withGap);
    EXPECT_TRUE(withGap.iccProfile.empty());
    ExpectNear(bitmap, 9, 9, PaletteBlocks(9, 9));
}

TEST(JpegImageTest, FilesAreReadThroughTheFileSystem) {
    static MemoryFileSystem files;  // installed program-wide: must outlive the test
    files = MemoryFileSystem{};
    UseFileSystem(files);
    files.AddFile(
        "C:\\Pictures\\Grey.jpg",
        EncodeJpeg({.width = 8, .height = 8, .input = JCS_GRAYSCALE, .pixel = [](int, int) {
                        return Grey(77);
                    }}));
    files.AddFile("C:\\Pictures\\Bad.jpg", "JFIF?");

    Bitmap bitmap;
    ASSERT_TRUE(LoadJpegFile("c:\\pictures\\grey.jpg", bitmap));
    EXPECT_EQ(bitmap.Row(7)[7], 77);
    EXPECT_EQ(LoadJpegFile("C:\\Pictures\\Bad.jpg", bitmap).status, JpegStatus::kCorrupt);
    EXPECT_TRUE(bitmap.pixels.empty());
    EXPECT_EQ(LoadJpegFile("C:\\Pictures\\None.jpg", bitmap).status, JpegStatus::kNoFile);
}

// The image that ships beside the program decodes, fits above the bottom bar when centred on
// a 1920 x 1080 display at 200% (a bar of 106 rows), and its grey wedge (21 steps at rows
// 760-794) is neutral and rises from black to white.
TEST(JpegImageTest, ShippedReferenceImageDecodesWithANeutralWedge) {
    std::string root = TONECAST_TEST_DATA;  // <source>/tests/data
    root.resize(root.size() - std::string("tests/data").size());
    std::ifstream in(root + "data/TonecastRef.sRGB.jpg", std::ios::binary);
    ASSERT_TRUE(in) << root;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    Bitmap bitmap;
    ASSERT_TRUE(DecodeJpeg(bytes.str(), bitmap));
    EXPECT_EQ(bitmap.width, 1600);
    EXPECT_EQ(bitmap.height, 860);
    EXPECT_LE((1080 - bitmap.height) / 2 + bitmap.height, 1080 - 106);
    EXPECT_EQ(bitmap.bitsPerPixel, 24);
    int previous = -1;
    for (int step = 0; step < 21; ++step) {
        const int x = step * 1600 / 21 + 38, want = (step * 255 + 10) / 20;
        const std::uint8_t* p = bitmap.Row(777) + 3 * x;
        EXPECT_NEAR(p[0], want, 1) << "step " << step;
        EXPECT_NEAR(p[1], want, 1) << "step " << step;
        EXPECT_NEAR(p[2], want, 1) << "step " << step;
        EXPECT_GT(p[1], previous);
        previous = p[1];
    }
}

}  // namespace

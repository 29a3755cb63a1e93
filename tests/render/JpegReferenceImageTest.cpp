// The reference image on the page: decoded, converted for the selected display and centred on
// it, or not drawn at all.

#include <gtest/gtest.h>

#include "PixelChecks.h"
#include "fakes/MemoryFileSystem.h"
#include "render/ColorConversion.h"
#include "render/JpegEncode.h"
#include "render/PagePainter.h"
#include "render/ReferenceImage.h"

namespace {

constexpr Color kConverted{1, 2, 3};

// Paints every pixel it is given in one colour, so the canvas shows whether the drawn image
// went through it, and remembers what it was asked.
class MarkingConverter : public ColorConverter {
public:
    void ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) override {
        calls.push_back({dc, bitmap.bitsPerPixel, bitmap.width, bitmap.height});
        for (int y = 0; y < bitmap.height; ++y)
            for (int x = 0; x < bitmap.width; ++x) {
                std::uint8_t* p = bitmap.Row(y) + 3 * x;
                p[0] = kConverted.b, p[1] = kConverted.g, p[2] = kConverted.r;
            }
    }
    struct Call {
        DeviceContext dc;
        int bitsPerPixel, width, height;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
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
    }
    void TearDown() override {
        static class : public ColorConverter {
            void ConvertForDisplay(Bitmap&, DeviceContext) override {}
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

    MemoryFileSystem& files = TestFiles();
    MarkingConverter converter;
    PixelCanvas canvas{1920, 1080};
};

TEST_F(ReferenceImageTest, ColourImageIsConvertedForTheSelectedDisplayAndCentred) {
    AddColourImage("C:\\Tonecast\\TonecastRef.sRGB.jpg", 1000, 600);
    DrawReferenceImage(canvas, "C:\\Tonecast\\TonecastRef.sRGB.jpg");
    EXPECT_EQ(converter.calls, (std::vector<MarkingConverter::Call>{{0x71, 24, 1000, 600}}));
    EXPECT_EQ(PaintedBox(canvas), (Box{460, 240, 1460, 840}));
    EXPECT_TRUE(AllOf(canvas, {460, 240, 1460, 840}, kConverted));
}

TEST_F(ReferenceImageTest, CentringFollowsTheSelectedDisplay) {
    AddDisplay(ScreenRect{-1280, 0, 0, 1024});
    Engine().Displays[1].dc = 0x72;
    Engine().CurrentDisplay = 1;
    AddColourImage("C:\\P\\odd.jpg", 1001, 601);
    DrawReferenceImage(canvas, "C:\\P\\odd.jpg");
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
    DrawReferenceImage(canvas, "C:\\P\\big.jpg");
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            ASSERT_EQ(canvas.At(x, y), Grey(BlockLevel(x + 40, y + 60))) << x << "," << y;
}

TEST_F(ReferenceImageTest, GreyscaleImageIsDrawnUnconverted) {
    AddGreyImage("C:\\P\\grey.jpg", 64, 32);
    DrawReferenceImage(canvas, "C:\\P\\grey.jpg");
    EXPECT_TRUE(converter.calls.empty());
    EXPECT_EQ(PaintedBox(canvas), (Box{928, 524, 992, 556}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(canvas.At(928 + x, 524 + y), Grey(BlockLevel(x, y))) << x << "," << y;
}

TEST_F(ReferenceImageTest, MissingOrUndecodableFilesDrawNothing) {
    const std::string good = EncodeJpeg({.width = 64, .height = 64});
    files.AddFile("C:\\P\\cut.jpg", good.substr(0, good.size() / 2));
    files.AddFile("C:\\P\\text.jpg", "Tonecast");
    files.AddFile("C:\\P\\huge.jpg", WithFrameSize(good, 65000, 65000));
    for (const char* path :
         {"C:\\P\\none.jpg", "C:\\P\\cut.jpg", "C:\\P\\text.jpg", "C:\\P\\huge.jpg", ""}) {
        DrawReferenceImage(canvas, path);
        EXPECT_EQ(PaintedBox(canvas), Box{}) << path;
    }
    EXPECT_TRUE(converter.calls.empty());
}

TEST_F(ReferenceImageTest, NothingIsDrawnWithoutASelectedDisplay) {
    AddColourImage("C:\\P\\a.jpg", 16, 16);
    Engine() = DisplayState{};
    DrawReferenceImage(canvas, "C:\\P\\a.jpg");
    EXPECT_EQ(PaintedBox(canvas), Box{});
}

}  // namespace

// What the window hands the page painter: its background, the bar's place and the display.
#include "WindowFixture.h"
#include "render/JpegEncode.h"
#include "render/PixelCanvas.h"

namespace {

class FormPaint : public WindowTest {
protected:
    void SetUp() override { OpenOneFullHdDisplay(); }
    PixelCanvas Paint(int page) {
        form->ShowPage(page);
        PixelCanvas canvas(1920, 1080, Color{1, 2, 3});
        form->FormPaint(canvas);
        return canvas;
    }
};

TEST_F(FormPaint, TheWholeClientAreaStartsInTheWindowsBackground) {
    const PixelCanvas welcome = Paint(0);  // a page without a pattern
    EXPECT_EQ(welcome.At(0, 0), kBlack);
    EXPECT_EQ(welcome.At(1919, 1079), kBlack);
    const PixelCanvas white = Paint(2);
    EXPECT_EQ(white.At(0, 0), kWhite);
    EXPECT_EQ(white.At(1919, 1079), kWhite);
}

TEST_F(FormPaint, TheEdgeBlendsReachDownToFourPixelsAboveTheBar) {
    const PixelCanvas points = Paint(6);
    EXPECT_EQ(points.At(0, 0), kWhite);        // the left blend starts white
    EXPECT_EQ(points.At(1919, 1023), kWhite);  // the right one ends white at bar top 1027 - 4
    EXPECT_EQ(points.At(1919, 1024), kBlack);  // the background again
}

// Whether the photograph's own colour profile can be used is known once the paint has decoded it:
// the file label says so from then on, once, and says nothing for a file without that trouble.
TEST_F(FormPaint, TheFileLabelSaysWhenThePhotosColourProfileCannotBeUsed) {
    std::string damaged(200, '\0');  // no profile signature
    files.AddFile("D:\\Photos\\wide.jpg",
                  EncodeJpeg({.width = 8, .height = 8, .iccProfile = damaged}));
    files.AddFile("D:\\Photos\\plain.jpg", EncodeJpeg({.width = 8, .height = 8}));
    Settings().ReferenceImagePath = "D:\\Photos\\wide.jpg";
    Paint(8);
    EXPECT_EQ(form->FileLabel->GetText(), "wide.jpg (RefImageProfileUnusable)");
    const Bounds label = form->FileLabel->GetBounds();
    EXPECT_EQ(label.left + label.width, 1920 - 70);  // laid out again for the longer text
    host.ClearLog();
    PixelCanvas canvas(1920, 1080);
    form->FormPaint(canvas);
    EXPECT_EQ(host.Count("Invalidate"), 0);

    Settings().ReferenceImagePath = "D:\\Photos\\plain.jpg";
    Paint(8);
    EXPECT_EQ(form->FileLabel->GetText(), "plain.jpg");
}

}  // namespace

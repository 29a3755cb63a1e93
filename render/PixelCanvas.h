#pragma once
// A Canvas over a plain RGB pixel buffer: what the tests check patterns against, what the
// benchmarks paint into, and a way to turn any page into an image file.
//
// Fills and lines follow GDI's rules: a fill paints columns left..right-1 and rows
// top..bottom-1, a line paints its start point and stops one pixel short of its end point.
// Diagonal lines use Bresenham's algorithm, which matches GDI on exact 45-degree lines and
// may differ by a pixel elsewhere. Text is not rasterised: each TextOut is recorded with its
// position and colours so that tests can check what was written where.

#include <string>
#include <vector>

#include "render/Canvas.h"

struct TextRecord {
    int x = 0;
    int y = 0;
    std::string text;
    Color font;        // the font colour at the time of the call
    Color background;  // the brush colour, which GDI uses as the opaque text background
    bool operator==(const TextRecord&) const = default;
};

class PixelCanvas : public Canvas {
public:
    // Negative sizes give an empty canvas.
    PixelCanvas(int width, int height, Color background = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Outside the buffer: black.
    Color At(int x, int y) const;
    void Clear(Color color);
    const std::vector<TextRecord>& Texts() const { return texts_; }
    const std::vector<Color>& Pixels() const { return pixels_; }

    // Binary PPM (P6), the simplest format every image tool reads. False if the file could
    // not be written completely.
    bool WritePpm(const std::string& path) const;

    void SetPenColor(Color color) override { pen_ = color; }
    void SetBrushColor(Color color) override { brush_ = color; }
    void SetFontColor(Color color) override { font_ = color; }
    void FillRect(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    // Texts are recorded, not drawn: their size is a nominal cell per byte.
    void MeasureText(const std::string& text, int& width, int& height) override;
    static constexpr int kTextCellWidth = 6, kTextCellHeight = 13;
    void DrawBitmap(int x, int y, const Bitmap& bitmap) override;

private:
    void Plot(long long x, long long y, Color color) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[static_cast<size_t>(y) * width_ + x] = color;
    }
    void FillClipped(long long left, long long top, long long right, long long bottom, Color color);

    int width_;
    int height_;
    std::vector<Color> pixels_;
    Color pen_ = kBlack;
    Color brush_ = kWhite;
    Color font_ = kBlack;
    int penX_ = 0;
    int penY_ = 0;
    std::vector<TextRecord> texts_;
};

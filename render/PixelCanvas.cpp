#include "render/PixelCanvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

PixelCanvas::PixelCanvas(int width, int height, Color background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, background) {}

Color PixelCanvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kBlack;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void PixelCanvas::FillClipped(long long left, long long top, long long right, long long bottom,
                              Color color) {
    left = std::max(left, 0LL);
    top = std::max(top, 0LL);
    right = std::min(right, static_cast<long long>(width_));
    bottom = std::min(bottom, static_cast<long long>(height_));
    if (left >= right || top >= bottom)
        return;
    Color* first = &pixels_[static_cast<size_t>(top) * width_ + left];
    std::fill(first, first + (right - left), color);
    // Copying the finished row is several times faster than filling 3-byte pixels one by one.
    for (long long y = top + 1; y < bottom; ++y)
        std::memcpy(first + static_cast<size_t>(y - top) * width_, first,
                    sizeof(Color) * (right - left));
}

void PixelCanvas::Clear(Color color) {
    FillClipped(0, 0, width_, height_, color);
}

void PixelCanvas::FillRect(int left, int top, int right, int bottom) {
    FillClipped(left, top, right, bottom, brush_);
}

void PixelCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void PixelCanvas::LineTo(int x, int y) {
    // 64-bit arithmetic: the end points may lie anywhere in the int range.
    const long long x0 = penX_, y0 = penY_;
    penX_ = x;
    penY_ = y;
    // Axis-aligned lines are the common case (every stripe and scale); fill them as spans.
    if (y0 == y) {
        if (x > x0)
            FillClipped(x0, y, x, y + 1LL, pen_);
        else if (x < x0)
            FillClipped(x + 1LL, y, x0 + 1, y + 1LL, pen_);
        return;
    }
    if (x0 == x) {
        if (y > y0)
            FillClipped(x, y0, x + 1LL, y, pen_);
        else
            FillClipped(x, y + 1LL, x + 1LL, y0 + 1, pen_);
        return;
    }
    const long long dx = std::llabs(x - x0), dy = std::llabs(y - y0);
    const int sx = x > x0 ? 1 : -1, sy = y > y0 ? 1 : -1;
    long long err = dx - dy;
    long long px = x0, py = y0;
    while (px != x || py != y) {
        Plot(px, py, pen_);
        const long long e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            px += sx;
        }
        if (e2 < dx) {
            err += dx;
            py += sy;
        }
    }
}

void PixelCanvas::TextOut(int x, int y, const std::string& text) {
    texts_.push_back(TextRecord{x, y, text, font_, brush_});
}

void PixelCanvas::MeasureText(const std::string& text, int& width, int& height) {
    width = kTextCellWidth * static_cast<int>(text.size());
    height = kTextCellHeight;
}

void PixelCanvas::DrawBitmap(int x, int y, const Bitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return;
    if (bitmap.bitsPerPixel != 24 && bitmap.bitsPerPixel != 8)
        return;
    // A bitmap whose buffer is shorter than its header claims is drawn not at all rather than
    // read past its end.
    if (bitmap.pixels.size() < static_cast<size_t>(bitmap.Stride()) * bitmap.height)
        return;
    const int firstX =
        static_cast<int>(std::clamp(-static_cast<long long>(x), 0LL, 1LL * bitmap.width));
    const int lastX = static_cast<int>(std::clamp(1LL * width_ - x, 0LL, 1LL * bitmap.width));
    const int firstY =
        static_cast<int>(std::clamp(-static_cast<long long>(y), 0LL, 1LL * bitmap.height));
    const int lastY = static_cast<int>(std::clamp(1LL * height_ - y, 0LL, 1LL * bitmap.height));
    if (firstX >= lastX || firstY >= lastY)
        return;
    for (int by = firstY; by < lastY; ++by) {
        const std::uint8_t* row = bitmap.Row(by);
        Color* out = &pixels_[static_cast<size_t>(y + by) * width_ + (x + firstX)];
        for (int bx = firstX; bx < lastX; ++bx, ++out) {
            if (bitmap.bitsPerPixel == 24) {
                const std::uint8_t* p = row + 3 * bx;
                *out = Color{p[2], p[1], p[0]};
            } else {
                *out = Grey(row[bx]);
            }
        }
    }
}

bool PixelCanvas::WritePpm(const std::string& path) const {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fprintf(f, "P6\n%d %d\n255\n", width_, height_) > 0;
    static_assert(sizeof(Color) == 3);
    if (ok && !pixels_.empty())
        ok = std::fwrite(pixels_.data(), sizeof(Color), pixels_.size(), f) == pixels_.size();
    return std::fclose(f) == 0 && ok;
}

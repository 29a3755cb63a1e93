#pragma once
// The drawing surface of the test patterns. The program draws through GDI on an off-screen
// bitmap; tests and benchmarks draw into a plain pixel buffer. Both follow GDI's rules for
// axis-aligned fills and lines, so the same pixels come out of both.

#include <cstdint>
#include <string>
#include <vector>

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};
constexpr Color Grey(int v) {
    return Color{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v),
                 static_cast<std::uint8_t>(v)};
}
constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};

// Pixels meant for `fromDpi` (design pixels: 96) in pixels at `dpi`, halves rounded away from
// zero as the platform's multiply-then-divide rounds them; the product is taken in 64 bits so
// that it cannot overflow. `fromDpi` is positive.
constexpr int ScaledToDpi(int pixels, int dpi, int fromDpi = 96) {
    const long long product = static_cast<long long>(pixels) * dpi;
    const long long magnitude = ((product < 0 ? -product : product) + fromDpi / 2) / fromDpi;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

// A decoded image: rows top-down, each row padded to a multiple of 4 bytes. 24-bit rows hold
// pixels as blue, green, red; 8-bit rows hold grey levels.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<std::uint8_t> pixels;

    int Stride() const { return ((width * bitsPerPixel / 8) + 3) & ~3; }
    std::uint8_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * Stride(); }
    const std::uint8_t* Row(int y) const {
        return pixels.data() + static_cast<size_t>(y) * Stride();
    }
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetPenColor(Color color) = 0;    // 1 pixel, solid, copy mode
    virtual void SetBrushColor(Color color) = 0;  // solid fill; also the text background
    virtual void SetFontColor(Color color) = 0;
    // Paints columns left..right-1 and rows top..bottom-1 with the brush.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Paints from the current position up to, not including, (x, y), which becomes current.
    virtual void LineTo(int x, int y) = 0;
    // Text in the canvas font, top-left at (x, y), on an opaque background of the brush colour.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // The size TextOut would give the text.
    virtual void MeasureText(const std::string& text, int& width, int& height) = 0;
    // The bitmap unscaled with its top-left corner at (x, y), clipped to the surface.
    virtual void DrawBitmap(int x, int y, const Bitmap& bitmap) = 0;
};

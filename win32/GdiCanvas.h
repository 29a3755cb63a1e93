#pragma once
// GDI drawing of the test patterns: a Canvas over an off-screen bitmap, and the
// double-buffered paint of a window built on it.
//
// A window that paints through it answers WM_ERASEBKGND with 1, so that the background is
// filled once, into the off-screen bitmap, and never flashes on screen. The copy to the window
// goes through the paint DC, so a clip region set on it is respected: the calibration window
// keeps a BufferedPainter and excludes its opaque children before Paint; the backdrop paints
// with PaintWindowBuffered.
//
// Fills and 1-pixel lines go through GDI itself (FillRect, MoveToEx/LineTo with a solid
// cosmetic pen in R2_COPYPEN), so they follow GDI's end-point rules, which the pixel-buffer
// canvas reproduces for axis-aligned shapes. Text (UTF-8) is drawn with TextOutW in the given font,
// on an opaque background of the current brush colour.

#include <windows.h>
// wingdi.h maps TextOut to its A or W function; Canvas::TextOut is a method name, not the API.
#undef TextOut

#include <functional>
#include <memory>
#include <unordered_map>

#include "render/Canvas.h"
#include "win32/Win32Handles.h"

class GdiCanvas final : public Canvas {
public:
    // A width x height surface: a 32-bit top-down DIB section in a memory DC compatible with
    // `reference` (a window's DC, or null for the screen's). `font` may be null for the DC's
    // default font; the canvas does not own it. Check Valid(): GDI can run out of memory.
    GdiCanvas(HDC reference, int width, int height, HFONT font);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    // Selects `font` for TextOut; null puts back the DC's own font, so that the caller may
    // delete the one it gave.
    void SetFont(HFONT font);

    void Clear(Color color);
    // The pixel as it stands in the bitmap (pending GDI drawing is flushed first). Outside
    // the surface: black.
    Color At(int x, int y) const;
    // Copies the whole surface to (x, y) of `target` in one BitBlt.
    bool CopyTo(HDC target, int x, int y) const;

    void SetPenColor(Color color) override;
    void SetBrushColor(Color color) override;
    void SetFontColor(Color color) override { font_ = color; }
    void FillRect(int left, int top, int right, int bottom) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    void MeasureText(const std::string& text, int& width, int& height) override;
    void DrawBitmap(int x, int y, const Bitmap& bitmap) override;

private:
    HBRUSH BrushFor(Color color);

    int width_ = 0;
    int height_ = 0;
    CreatedDC dc_;
    GdiObject<HBITMAP> bitmap_;
    const std::uint32_t* bits_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    // Patterns use a few dozen colours per paint; making a GDI object per line would not do.
    std::unordered_map<COLORREF, GdiObject<HPEN>> pens_;
    std::unordered_map<COLORREF, GdiObject<HBRUSH>> brushes_;
    Color brush_ = kWhite;
    Color font_ = kBlack;
};

// Double-buffered painting: each paint fills the off-screen bitmap with the background,
// lets the caller draw on it, then copies it to the target in one BitBlt. The bitmap is kept
// for the next paint of the same size (making an 8 MB DIB section costs more than painting
// most pages); nothing drawn is kept, since every paint starts with the fill.
class BufferedPainter {
public:
    // Paints width x height at (0, 0) of `target`. `font` is selected for the paint only. If
    // no bitmap can be made, `target` is filled with the background and the result is false.
    bool Paint(HDC target, int width, int height, HFONT font, Color background,
               const std::function<void(Canvas&)>& paint);
    // The WM_PAINT handler body: BeginPaint, Paint over the whole client area, EndPaint.
    void PaintWindow(HWND window, HFONT font, Color background,
                     const std::function<void(Canvas&)>& paint);

private:
    std::unique_ptr<GdiCanvas> canvas_;
};

// One paint through a bitmap made for it alone.
void PaintWindowBuffered(HWND window, HFONT font, Color background,
                         const std::function<void(Canvas&)>& paint);

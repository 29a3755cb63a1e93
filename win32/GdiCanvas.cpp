#include "win32/GdiCanvas.h"

#include <memory>
#include <vector>

#include "win32/Win32Color.h"
#include "win32/Win32Text.h"

GdiCanvas::GdiCanvas(HDC reference, int width, int height, HFONT font) {
    if (width <= 0 || height <= 0)
        return;
    dc_.Reset(CreateCompatibleDC(reference));
    if (!dc_)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y at bits + y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits)
        return;
    width_ = width;
    height_ = height;
    bits_ = static_cast<const std::uint32_t*>(bits);
    oldBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    SetFont(font);
    SetROP2(dc_.get(), R2_COPYPEN);
    SetBkMode(dc_.get(), OPAQUE);
    SetPenColor(kBlack);
    SetBrushColor(kWhite);
}

GdiCanvas::~GdiCanvas() {
    if (dc_) {
        // Deselect before the owners delete: GDI will not delete an object selected into a DC.
        if (oldPen_)
            SelectObject(dc_.get(), oldPen_);
        if (oldBrush_)
            SelectObject(dc_.get(), oldBrush_);
        if (oldFont_)
            SelectObject(dc_.get(), oldFont_);
        if (oldBitmap_)
            SelectObject(dc_.get(), oldBitmap_);
    }
}

void GdiCanvas::Clear(Color color) {
    if (!Valid())
        return;
    RECT all{0, 0, width_, height_};
    ::FillRect(dc_.get(), &all, BrushFor(color));
}

Color GdiCanvas::At(int x, int y) const {
    if (!Valid() || x < 0 || y < 0 || x >= width_ || y >= height_)
        return kBlack;
    GdiFlush();
    const std::uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
    return Color{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                 static_cast<std::uint8_t>(p)};
}

bool GdiCanvas::CopyTo(HDC target, int x, int y) const {
    return Valid() && BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void GdiCanvas::SetPenColor(Color color) {
    if (!dc_)
        return;
    GdiObject<HPEN>& pen = pens_[ToColorRef(color)];
    if (!pen)
        pen.Reset(CreatePen(PS_SOLID, 1, ToColorRef(color)));
    HGDIOBJ previous = SelectObject(dc_.get(), pen.get());
    if (!oldPen_)
        oldPen_ = previous;
}

HBRUSH GdiCanvas::BrushFor(Color color) {
    GdiObject<HBRUSH>& brush = brushes_[ToColorRef(color)];
    if (!brush)
        brush.Reset(CreateSolidBrush(ToColorRef(color)));
    return brush.get();
}

void GdiCanvas::SetBrushColor(Color color) {
    brush_ = color;
    if (!dc_)
        return;
    HGDIOBJ previous = SelectObject(dc_.get(), BrushFor(color));
    if (!oldBrush_)
        oldBrush_ = previous;
}

void GdiCanvas::FillRect(int left, int top, int right, int bottom) {
    // An inverted rectangle paints nothing here, as it does in the pixel buffer.
    if (!Valid() || left >= right || top >= bottom)
        return;
    RECT r{left, top, right, bottom};
    ::FillRect(dc_.get(), &r, BrushFor(brush_));
}

void GdiCanvas::MoveTo(int x, int y) {
    if (dc_)
        MoveToEx(dc_.get(), x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
    if (dc_)
        ::LineTo(dc_.get(), x, y);
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
    if (!Valid())
        return;
    SetBkMode(dc_.get(), OPAQUE);
    SetBkColor(dc_.get(), ToColorRef(brush_));
    SetTextColor(dc_.get(), ToColorRef(font_));
    const std::wstring wide = Widen(text);
    ::TextOutW(dc_.get(), x, y, wide.data(), static_cast<int>(wide.size()));
}

void GdiCanvas::MeasureText(const std::string& text, int& width, int& height) {
    SIZE size{};
    const std::wstring wide = Widen(text);
    if (!dc_ ||
        !GetTextExtentPoint32W(dc_.get(), wide.data(), static_cast<int>(wide.size()), &size))
        size = SIZE{};
    width = size.cx;
    height = size.cy;
}

void GdiCanvas::DrawBitmap(int x, int y, const Bitmap& bitmap) {
    if (!Valid() || bitmap.width <= 0 || bitmap.height <= 0)
        return;
    if (bitmap.bitsPerPixel != 24 && bitmap.bitsPerPixel != 8)
        return;
    if (bitmap.pixels.size() < static_cast<size_t>(bitmap.Stride()) * bitmap.height)
        return;
    // Room for the 256 grey palette entries that 8-bit rows index.
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = bitmap.width;
    info->bmiHeader.biHeight = -bitmap.height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = static_cast<WORD>(bitmap.bitsPerPixel);
    info->bmiHeader.biCompression = BI_RGB;
    if (bitmap.bitsPerPixel == 8) {
        info->bmiHeader.biClrUsed = 256;
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<BYTE>(i);
            info->bmiColors[i] = RGBQUAD{v, v, v, 0};
        }
    }
    StretchDIBits(dc_.get(), x, y, bitmap.width, bitmap.height, 0, 0, bitmap.width, bitmap.height,
                  bitmap.pixels.data(), info, DIB_RGB_COLORS, SRCCOPY);
}

void GdiCanvas::SetFont(HFONT font) {
    if (!dc_)
        return;
    if (font) {
        HGDIOBJ previous = SelectObject(dc_.get(), font);
        if (!oldFont_)
            oldFont_ = previous;
    } else if (oldFont_) {
        SelectObject(dc_.get(), oldFont_);
        oldFont_ = nullptr;
    }
}

bool BufferedPainter::Paint(HDC target, int width, int height, HFONT font, Color background,
                            const std::function<void(Canvas&)>& paint) {
    if (width <= 0 || height <= 0)
        return true;
    if (!canvas_ || canvas_->Width() != width || canvas_->Height() != height) {
        canvas_.reset();  // free the old bitmap before asking for the new one
        canvas_ = std::make_unique<GdiCanvas>(target, width, height, nullptr);
    }
    if (!canvas_->Valid()) {
        canvas_.reset();
        const GdiObject<HBRUSH> brush(CreateSolidBrush(ToColorRef(background)));
        RECT all{0, 0, width, height};
        ::FillRect(target, &all, brush.get());
        return false;
    }
    // The font goes back out of the DC even if the paint throws: the window may delete it.
    struct FontSelection {
        GdiCanvas& canvas;
        ~FontSelection() { canvas.SetFont(nullptr); }
    } selection{*canvas_};
    canvas_->SetFont(font);
    canvas_->Clear(background);
    paint(*canvas_);
    return canvas_->CopyTo(target, 0, 0);
}

void BufferedPainter::PaintWindow(HWND window, HFONT font, Color background,
                                  const std::function<void(Canvas&)>& paint) {
    const PaintingDC dc(window);
    if (!dc.get())
        return;
    RECT client{};
    GetClientRect(window, &client);
    Paint(dc.get(), client.right - client.left, client.bottom - client.top, font, background,
          paint);
}

void PaintWindowBuffered(HWND window, HFONT font, Color background,
                         const std::function<void(Canvas&)>& paint) {
    BufferedPainter().PaintWindow(window, font, background, paint);
}

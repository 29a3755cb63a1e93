#include "render/RampEdit.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Halves to even: the default rounding mode of the floating-point environment.
int RoundEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

std::uint8_t Channel8(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

Color Rgb(int r, int g, int b) {
    return Color{Channel8(r), Channel8(g), Channel8(b)};
}

void HorizontalLine(Canvas& c, int x, int y, int width) {
    c.MoveTo(x, y);
    c.LineTo(x + width, y);
}

constexpr Color kGridPen{80, 80, 80};
constexpr Color kFramePen{128, 128, 128};
constexpr Color kMarkerPen{140, 140, 140};
constexpr Color kCurvePens[3] = {{255, 0, 0}, {0, 128, 0}, {0, 0, 255}};

}  // namespace

void DrawRowStripes(Canvas& c, int x, int y, int width, int height, Color a, Color b) {
    const int n = height / 2;
    if (n < 0)
        return;
    c.SetPenColor(a);
    for (int k = 0; k <= n; ++k)
        HorizontalLine(c, x, y + 2 * k, width);
    c.SetPenColor(b);
    for (int k = 0; k <= n; ++k)
        HorizontalLine(c, x, y + 2 * k + 1, width);
}

void DrawColumnStripes(Canvas& c, int x, int y, int width, int height, Color a, Color b) {
    const int n = width / 2;
    if (n < 0)
        return;
    auto column = [&](int cx) {
        c.MoveTo(cx, y);
        c.LineTo(cx, y + height);
    };
    c.SetPenColor(a);
    for (int k = 0; k <= n; ++k)
        column(x + 2 * k);
    c.SetPenColor(b);
    for (int k = 0; k <= n; ++k)
        column(x + 2 * k + 1);
}

void DrawEdgeBlend(Canvas& c, int x, int y, int width, int height, Color top, Color bottom) {
    if (height < 0)
        return;
    auto blend = [&](int from, int to, int s) {
        // A height of 0 would divide 0 by 0; its one row is the top colour.
        if (height == 0)
            return from;
        return RoundEven(from - static_cast<double>(s) * (from - to) / height);
    };
    for (int s = 0; s <= height; ++s) {
        c.SetPenColor(
            Rgb(blend(top.r, bottom.r, s), blend(top.g, bottom.g, s), blend(top.b, bottom.b, s)));
        HorizontalLine(c, x, y + s, width);
    }
}

void DrawRampColumn(Canvas& c, int x, int y, int unit, int rows, int top, int bottom) {
    // Without rows there is no gradient to divide among them.
    if (rows <= 0)
        return;
    const int width = 5 * unit;
    auto level = [&](int s) {
        return RoundEven(top - static_cast<double>(s) * (top - bottom) / rows);
    };
    int v = top;
    for (int s = 0; s <= rows; ++s) {
        v = level(s);
        c.SetPenColor(Grey(v));
        HorizontalLine(c, x, y + s, width);
    }
    HorizontalLine(c, x, y + rows + 1, width);  // still in the last row's grey

    const int h2 = unit / 2;
    const int stripeX[3] = {x + h2, x + 2 * unit, x + 3 * unit + h2};
    for (int k = 0; k <= rows / 2; ++k) {
        const int pairLevel = level(2 * k);
        const auto [lo, hi] = GammaPair(pairLevel);
        for (int half = 0; half < 2; ++half) {
            const int mixed = half == 0 ? lo : hi;
            const int row = y + 2 * k + half;
            for (int channel = 0; channel < 3; ++channel) {
                int rgb[3] = {pairLevel, pairLevel, pairLevel};
                rgb[channel] = mixed;
                c.SetPenColor(Rgb(rgb[0], rgb[1], rgb[2]));
                HorizontalLine(c, stripeX[channel], row, unit);
            }
        }
    }
}

void DrawGreySteps(Canvas& c, int x, int y, int width, int height) {
    const int d = height / 8;
    for (int i = 0; i < 8; ++i) {
        c.SetBrushColor(Grey(255 - 32 * i));
        c.FillRect(x, y + i * d, x + width, y + i * d + d);
    }
}

void DrawLightSteps(Canvas& c, int x, int y, int size, int count) {
    for (int e = 0; e < count; ++e) {
        const int left = x + (count - 1 - e) * (size + 4);
        c.SetBrushColor(Grey(((255 - 4 * e) % 256 + 256) % 256));
        c.FillRect(left, y, left + size, y + size);
    }
}

void DrawLevelSquares(Canvas& c, int dpi, LevelSquares variant) {
    const bool black = variant == LevelSquares::kBlack;
    const int firstLevel = black ? 1 : 246;
    const Color ink = black ? Grey(80) : Grey(180);
    const Color labelFill = black ? kBlack : kWhite;
    const int labelOffset = ScaledToDpi(black ? 14 : 2, dpi);
    const int size = ScaledToDpi(60, dpi), pitch = ScaledToDpi(80, dpi),
              labelRise = ScaledToDpi(20, dpi);
    const int x0 = CenterX(ScaledToDpi(720, dpi));
    const int y0 = CenterY(size);

    c.SetFontColor(ink);
    c.SetPenColor(ink);
    for (int i = 0; i < 9; ++i) {
        const int n = firstLevel + i;
        const int left = x0 + i * pitch;
        c.SetBrushColor(Grey(n));
        c.FillRect(left, y0, left + size, y0 + size);
        c.SetBrushColor(labelFill);
        const std::string v = std::to_string(n);
        // Three-digit labels are about as wide as the squares' pitch: every second one stands
        // a row higher, so that neighbouring labels never run into each other.
        const int rise = black || i % 2 == 0 ? labelRise : labelRise + ScaledToDpi(14, dpi);
        c.TextOut(left + labelOffset, y0 - rise, "(" + v + "," + v + "," + v + ")");
    }
}

void DrawCurveGraph(Canvas& c, int x0, int y0, Color fill, bool marker) {
    auto line = [&](int x1, int y1, int x2, int y2) {
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    c.SetBrushColor(fill);
    c.FillRect(x0, y0, x0 + 255, y0 + 256);

    c.SetPenColor(kGridPen);
    for (int at : {127, 63, 191})
        line(x0 + at, y0 + 255, x0 + at, y0);
    for (int at : {127, 63, 191})
        line(x0, y0 + at, x0 + 255, y0 + at);
    line(x0, y0 + 255, x0 + 255, y0);

    c.SetPenColor(kFramePen);
    line(x0, y0 + 255, x0, y0);
    line(x0 + 255, y0 + 255, x0 + 255, y0);
    line(x0, y0, x0 + 256, y0);
    line(x0, y0 + 255, x0 + 255, y0 + 255);

    const DisplayState& engine = Engine();
    const bool haveRecord = engine.CurrentDisplay >= 0 &&
                            engine.CurrentDisplay < static_cast<int>(engine.Corrections.size());
    for (int i = 0; i < 256; ++i) {
        c.SetPenColor(Grey(i));
        line(x0 + i, y0 + 266, x0 + i, y0 + 260);
        line(x0 - 4, y0 + 255 - i, x0 - 10, y0 + 255 - i);
        if (haveRecord && engine.Corrections[engine.CurrentDisplay].PointOn[i]) {
            c.SetPenColor(kWhite);
            line(x0 + i, y0 + 257, x0 + i, y0 + 259);
        }
    }

    if (marker) {
        const int p = Patterns().PointPos;
        c.SetPenColor(kMarkerPen);
        line(x0 + p, y0 + 1, x0 + p, y0 + 255);
    }

    for (int channel = 0; channel < 3; ++channel) {
        auto plotY = [&](int i) {
            return y0 + 255 - RampEntry(engine.CurrentRamp, channel, i) / 256;
        };
        c.SetPenColor(kCurvePens[channel]);
        c.MoveTo(x0, plotY(0));
        for (int i = 1; i < 256; ++i)
            c.LineTo(x0 + i, plotY(i));
        c.LineTo(x0 + 256, plotY(255));
    }
}

void DrawGammaField(Canvas& c, int x, int y, int level) {
    const auto [lo, hi] = GammaPair(level);
    DrawRowStripes(c, x, y, 480, 220, Grey(level), Grey(level));
    for (int r = 0; r < 3; ++r) {
        for (int j = 0; j < 5; ++j) {
            const int px = x + 50 + 80 * j, py = y + 10 + 70 * r;
            if ((j + r) % 2 == 0)
                DrawColumnStripes(c, px, py, 60, 60, Grey(lo), Grey(hi));
            else
                DrawRowStripes(c, px, py, 60, 60, Grey(lo), Grey(hi));
        }
    }
}

void DrawPointField(Canvas& c, int x, int y, int level) {
    const auto [lo, hi] = GammaPair(level);
    DrawRowStripes(c, x, y, 480, 220, Grey(level), Grey(level));
    for (int t : {10, 80, 150})
        DrawRowStripes(c, x + 370, y + t, 60, 60, Grey(lo), Grey(hi));
    DrawRowStripes(c, x + 50, y + 10, 60, 60, Rgb(lo, level, level), Rgb(hi, level, level));
    DrawRowStripes(c, x + 50, y + 80, 60, 60, Rgb(level, lo, level), Rgb(level, hi, level));
    DrawRowStripes(c, x + 50, y + 150, 60, 60, Rgb(level, level, lo), Rgb(level, level, hi));
    const int p = Patterns().PointPos;
    DrawRampColumn(c, CenterX(150), CenterY(220), 30, 220, std::min(p + 40, 255),
                   std::max(p - 40, 0));
}

ScreenRect SideBandRect() {
    const DisplayState& engine = Engine();
    const int count = engine.DisplayCount();
    if (engine.CurrentDisplay < 0 || engine.CurrentDisplay >= count)
        return ScreenRect{};
    ScreenRect band = engine.Displays[engine.CurrentDisplay].info.monitor;
    const ScreenRect selected = band;
    for (int i = 0; i < count; ++i) {
        if (i == engine.CurrentDisplay)
            continue;
        const ScreenRect& other = engine.Displays[i].info.monitor;
        if (other.left < selected.right && other.right > selected.left)
            continue;
        band.top = std::max(band.top, other.top);
        band.bottom = std::min(band.bottom, other.bottom);
    }
    return band;
}

ScreenRect DesktopRect() {
    const DisplayState& engine = Engine();
    const int count = engine.DisplayCount();
    if (count == 0)
        return ScreenRect{};
    ScreenRect desktop = engine.Displays[0].info.monitor;
    for (int i = 1; i < count; ++i) {
        const ScreenRect& m = engine.Displays[i].info.monitor;
        desktop.left = std::min(desktop.left, m.left);
        desktop.top = std::min(desktop.top, m.top);
        desktop.right = std::max(desktop.right, m.right);
        desktop.bottom = std::max(desktop.bottom, m.bottom);
    }
    return desktop;
}

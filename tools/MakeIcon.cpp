// Generates exe/Tonecast.ico, the icon of both executables and the installer: a tone curve
// (a gamma curve with one correction point) over a faint grid on a dark rounded tile.
//
// Sizes 16, 24, 32, 48 as 32-bit bitmaps (what Windows draws in lists and title bars) and 256
// as PNG (the large tiles of Explorer). Every size is drawn for itself, with line widths and
// detail chosen for that size rather than scaled down from the largest.
//
// Build and run through scripts/make-icon.sh. Deterministic: the same file every time.

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;  // straight alpha, 0..1
};

// Paints `top` over `bottom` with coverage `cover`.
Rgba Over(Rgba bottom, Rgba top, double cover) {
    const double a = top.a * cover;
    const double out = a + bottom.a * (1 - a);
    if (out <= 0)
        return {0, 0, 0, 0};
    auto mix = [&](double t, double b) { return (t * a + b * bottom.a * (1 - a)) / out; };
    return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), out};
}

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

// Distance from (px, py) to the segment (ax, ay)-(bx, by).
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = Clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}

// Inside test of the rounded tile, in pixel units.
bool InTile(double x, double y, double size) {
    const double inset = size * 0.04, radius = size * 0.2;
    const double lo = inset + radius, hi = size - inset - radius;
    const double cx = std::clamp(x, lo, hi), cy = std::clamp(y, lo, hi);
    return std::hypot(x - cx, y - cy) <= radius;
}

std::vector<Rgba> Draw(int size) {
    const double s = size;
    const double plotLo = s * 0.2, plotHi = s * 0.8;  // the curve's square
    const double curveWidth = std::max(1.6, s * 0.075);
    const double gridWidth = std::max(1.0, s * 0.012);
    const int gridLines = size >= 32 ? 4 : 2;
    const double gamma = 1 / 2.2;
    const double pointX = 0.5, pointRadius = std::max(1.5, s * 0.07);

    std::vector<std::pair<double, double>> curve;
    for (int i = 0; i <= 96; ++i) {
        // Denser near black, where the curve is steep.
        const double x = std::pow(i / 96.0, 2.0);
        curve.emplace_back(plotLo + x * (plotHi - plotLo),
                           plotHi - std::pow(x, gamma) * (plotHi - plotLo));
    }
    const double pointCx = plotLo + pointX * (plotHi - plotLo);
    const double pointCy = plotHi - std::pow(pointX, gamma) * (plotHi - plotLo);

    std::vector<Rgba> image(size * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // The tile's edge, 4x4 samples per pixel.
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    inside += InTile(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, s);
            const double tileCover = inside / 16.0;
            if (tileCover == 0) {
                image[y * size + x] = {0, 0, 0, 0};
                continue;
            }
            const double px = x + 0.5, py = y + 0.5;
            const double shade = py / s;  // lighter at the top
            Rgba pixel =
                Over({0, 0, 0, 0},
                     {0.16 - 0.07 * shade, 0.22 - 0.09 * shade, 0.30 - 0.11 * shade, 1}, tileCover);

            // Grid and the identity diagonal, faint, inside the curve's square.
            double grid = 0;
            for (int i = 0; i <= gridLines; ++i) {
                const double at = plotLo + i * (plotHi - plotLo) / gridLines;
                if (py >= plotLo - 0.5 && py <= plotHi + 0.5)
                    grid = std::max(grid, Clamp01(gridWidth / 2 + 0.5 - std::fabs(px - at)));
                if (px >= plotLo - 0.5 && px <= plotHi + 0.5)
                    grid = std::max(grid, Clamp01(gridWidth / 2 + 0.5 - std::fabs(py - at)));
            }
            const double diagonal = SegmentDistance(px, py, plotLo, plotHi, plotHi, plotLo);
            grid = std::max(grid, 0.7 * Clamp01(gridWidth / 2 + 0.5 - diagonal));
            pixel = Over(pixel, {0.55, 0.62, 0.70, 0.45}, grid);

            double distance = 1e9;
            for (size_t i = 1; i < curve.size(); ++i)
                distance = std::min(distance,
                                    SegmentDistance(px, py, curve[i - 1].first, curve[i - 1].second,
                                                    curve[i].first, curve[i].second));
            pixel = Over(pixel, {1.0, 0.69, 0.13, 1}, Clamp01(curveWidth / 2 + 0.5 - distance));

            // The correction point: a light dot with a dark ring, from 24 pixels up.
            if (size >= 24) {
                const double r = std::hypot(px - pointCx, py - pointCy);
                pixel = Over(pixel, {0.10, 0.13, 0.17, 1}, Clamp01(pointRadius + 1.5 - r));
                pixel = Over(pixel, {1, 1, 1, 1}, Clamp01(pointRadius + 0.5 - r));
            }
            image[y * size + x] = pixel;
        }
    }
    return image;
}

uint8_t Byte(double v) {
    return static_cast<uint8_t>(std::lround(Clamp01(v) * 255));
}

void Put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Put32BigEndian(std::vector<uint8_t>& out, unsigned v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((v >> shift) & 0xFF);
}

// A BITMAPINFOHEADER, the BGRA rows bottom-up, then the AND mask (set where transparent).
std::vector<uint8_t> BitmapEntry(const std::vector<Rgba>& image, int size) {
    std::vector<uint8_t> out;
    const int maskStride = (size + 31) / 32 * 4;
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);  // colour rows and mask rows
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, size * size * 4 + maskStride * size);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Rgba& p = image[y * size + x];
            out.insert(out.end(), {Byte(p.b), Byte(p.g), Byte(p.r), Byte(p.a)});
        }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (Byte(image[y * size + x].a) == 0)
                row[x / 8] |= 0x80 >> (x % 8);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void PngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32BigEndian(out, data.size());
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32BigEndian(out, crc32(0, out.data() + start, out.size() - start));
}

std::vector<uint8_t> PngEntry(const std::vector<Rgba>& image, int size) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < size; ++x) {
            const Rgba& p = image[y * size + x];
            raw.insert(raw.end(), {Byte(p.r), Byte(p.g), Byte(p.b), Byte(p.a)});
        }
    }
    uLongf packedSize = compressBound(raw.size());
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), raw.size(), 9);
    packed.resize(packedSize);

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32BigEndian(header, size);
    Put32BigEndian(header, size);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
    PngChunk(out, "IHDR", header);
    PngChunk(out, "IDAT", packed);
    PngChunk(out, "IEND", {});
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.ico\n", argv[0]);
        return 2;
    }
    const int sizes[] = {16, 24, 32, 48, 256};
    std::vector<std::vector<uint8_t>> entries;
    for (int size : sizes) {
        const std::vector<Rgba> image = Draw(size);
        entries.push_back(size == 256 ? PngEntry(image, size) : BitmapEntry(image, size));
    }

    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, entries.size());
    size_t offset = 6 + 16 * entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        file.push_back(sizes[i] == 256 ? 0 : sizes[i]);  // 0 stands for 256
        file.push_back(sizes[i] == 256 ? 0 : sizes[i]);
        file.push_back(0);  // no palette
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, entries[i].size());
        Put32(file, offset);
        offset += entries[i].size();
    }
    for (const auto& entry : entries)
        file.insert(file.end(), entry.begin(), entry.end());

    FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() || std::fclose(out)) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}

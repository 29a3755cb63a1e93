// Generates the default reference photograph, data/TonecastRef.sRGB.jpg: a synthetic scene
// for judging a calibrated display by eye. Shading is computed in linear light and encoded
// with the sRGB transfer curve, so the file is sRGB like any camera JPEG.
//
//   skin-toned heads lit from the upper left, against a sky with soft clouds
//   saturated fruit on a meadow, with shadows
//   saturated and pastel patches on a mid-grey band
//   a hue band from pastel to saturated
//   near-black and near-white steps, a 21-step grey wedge and a continuous grey ramp
//
// The page centres the image on the display, and the window's texts and bottom bar cover some
// of it: on a 1920 x 1080 display at up to 200% scaling the bar (106 rows there) leaves the
// image's 860 rows clear, the help text covers at most the top-left corner (the sky, up to
// about 600 x 240 pixels) and the file name at most the bottom-right one (below the ramp).
// Everything worth judging lies outside those corners.
//
// Build and run through scripts/make-reference-image.sh. Deterministic: the same file every
// time with the same libjpeg.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 860;
// The bottom rows, from the top of each band to the end of the image.
constexpr int kPatchTop = 560;  // the patch band, 100 rows
constexpr int kHueTop = 660;    // 50 rows
constexpr int kStepsTop = 710;  // 50 rows
constexpr int kWedgeTop = 760;  // 35 rows
constexpr int kRampTop = 795;   // 35 rows
constexpr int kBlackTop = 830;  // black to the end: the file name may lie here

struct Rgb {
    double r, g, b;  // linear light, 0..1
};
Rgb operator*(Rgb a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb Mix(Rgb a, Rgb b, double t) {
    return a * (1 - t) + b * t;
}

double ToLinear(double v) {  // sRGB-encoded 0..1 to linear
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double ToEncoded(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}
Rgb Srgb(int r, int g, int b) {
    return {ToLinear(r / 255.0), ToLinear(g / 255.0), ToLinear(b / 255.0)};
}
Rgb Hsv(double h, double s, double v) {  // encoded HSV to linear
    const double c = v * s, hp = std::fmod(h / 60.0, 6.0),
                 x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (hp < 1)
        r = c, g = x;
    else if (hp < 2)
        r = x, g = c;
    else if (hp < 3)
        g = c, b = x;
    else if (hp < 4)
        g = x, b = c;
    else if (hp < 5)
        r = x, b = c;
    else
        r = c, b = x;
    const double m = v - c;
    return {ToLinear(r + m), ToLinear(g + m), ToLinear(b + m)};
}

// Smooth value noise, a few octaves: clouds and grass.
double Hash(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}
double ValueNoise(double x, double y, int salt) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Hash(x0, y0, salt), b = Hash(x0 + 1, y0, salt);
    const double c = Hash(x0, y0 + 1, salt), d = Hash(x0 + 1, y0 + 1, salt);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}
double Fractal(double x, double y, int salt, int octaves) {
    double sum = 0, amplitude = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * ValueNoise(x, y, salt + o);
        total += amplitude;
        x *= 2.03, y *= 2.03, amplitude *= 0.5;
    }
    return sum / total;
}

std::vector<Rgb> image(kWidth* kHeight);
Rgb& At(int x, int y) {
    return image[static_cast<size_t>(y) * kWidth + x];
}

void Rect(int left, int top, int right, int bottom, Rgb color) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            At(x, y) = color;
}

// A lit ellipsoid with anti-aliased edge. `sheen` is the strength of the highlight;
// `warmShadow` tints the shadowed side (skin scatters red light into its shadows).
void Ellipsoid(double cx, double cy, double rx, double ry, Rgb albedo, double sheen,
               Rgb warmShadow) {
    const double lx = -0.45, ly = -0.55, lz = 0.70;  // towards the light, normalised below
    const double ln = std::sqrt(lx * lx + ly * ly + lz * lz);
    for (int y = std::max(0, int(cy - ry - 2)); y < std::min(kHeight, int(cy + ry + 2)); ++y)
        for (int x = std::max(0, int(cx - rx - 2)); x < std::min(kWidth, int(cx + rx + 2)); ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            const double d = std::sqrt(nx * nx + ny * ny);
            const double coverage = std::clamp((1 - d) * std::min(rx, ry), 0.0, 1.0);
            if (coverage <= 0)
                continue;
            const double nz = std::sqrt(std::max(0.0, 1 - d * d));
            const double diffuse = std::max(0.0, (nx * lx + ny * ly + nz * lz) / ln);
            // Half vector between light and viewer (0, 0, 1).
            double hx = lx / ln, hy = ly / ln, hz = lz / ln + 1;
            const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
            const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hn), 30);
            const double light = 0.18 + 0.9 * diffuse;
            const Rgb tint = Mix(warmShadow, Rgb{1, 1, 1}, std::min(1.0, diffuse * 1.4));
            const Rgb lit = albedo * tint * light + Rgb{1, 1, 1} * (sheen * specular);
            At(x, y) = Mix(At(x, y), lit, coverage);
        }
}

// A soft contact shadow on the ground under an object.
void Shadow(double cx, double cy, double rx, double ry, double depth) {
    for (int y = std::max(0, int(cy - 3 * ry)); y < std::min(kHeight, int(cy + 3 * ry)); ++y)
        for (int x = std::max(0, int(cx - 3 * rx)); x < std::min(kWidth, int(cx + 3 * rx)); ++x) {
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            At(x, y) = At(x, y) * (1 - depth * std::exp(-(u * u + v * v)));
        }
}

void Scene() {
    // Sky: deeper blue at the top, hazy near the horizon, with soft clouds.
    const int horizon = 400;
    for (int y = 0; y < horizon; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double t = double(y) / horizon;
            Rgb sky = Mix(Srgb(70, 130, 205), Srgb(205, 225, 240), std::pow(t, 0.8));
            const double cloud =
                std::clamp((Fractal(x / 260.0, y / 110.0, 7, 5) - 0.52) * 3.2, 0.0, 1.0);
            At(x, y) = Mix(sky, Srgb(246, 246, 248), cloud * (1 - 0.5 * t));
        }
    // Meadow: greens and dry grass, darker and finer towards the viewer.
    for (int y = horizon; y < kPatchTop; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double depth = double(y - horizon) / (kPatchTop - horizon);
            const double n = Fractal(x / (60.0 - 35 * depth), y / (22.0 - 8 * depth), 31, 5);
            const double dry = Fractal(x / 300.0, y / 80.0, 53, 3);
            Rgb grass = Mix(Srgb(92, 140, 52), Srgb(176, 160, 92),
                            std::clamp((dry - 0.45) * 2.5, 0.0, 1.0));
            At(x, y) = grass * (0.55 + 0.75 * n) * (1.05 - 0.35 * depth);
        }

    // Heads in four skin tones, lit from the upper left; right of the help text's corner.
    const Rgb skins[] = {Srgb(243, 205, 180), Srgb(224, 172, 140), Srgb(190, 128, 92),
                         Srgb(118, 76, 54)};
    const Rgb hair[] = {Srgb(214, 180, 110), Srgb(70, 45, 30), Srgb(160, 160, 158),
                        Srgb(24, 20, 20)};
    const Rgb clothes[] = {Srgb(40, 60, 110), Srgb(235, 235, 230), Srgb(150, 40, 50),
                           Srgb(230, 190, 60)};
    for (int i = 0; i < 4; ++i) {
        const double cx = 700 + i * 240, cy = 270;
        Ellipsoid(cx, cy + 175, 120, 70, clothes[i], 0.05, {1, 1, 1});  // shoulders
        Ellipsoid(cx, cy - 16, 97, 110, hair[i], 0.15, {1, 1, 1});
        Ellipsoid(cx, cy, 88, 112, skins[i], 0.10, Srgb(235, 175, 165));
    }

    // Fruit on the meadow, left of the heads and below the help text's corner.
    struct Fruit {
        double x, y, r;
        Rgb color;
    } const fruit[] = {
        {75, 470, 46, Srgb(196, 22, 34)},   {170, 500, 44, Srgb(246, 134, 20)},
        {265, 472, 42, Srgb(120, 182, 40)}, {360, 502, 45, Srgb(92, 40, 118)},
        {455, 474, 43, Srgb(246, 214, 44)}, {548, 500, 40, Srgb(230, 80, 120)},
    };
    for (const Fruit& f : fruit)
        Shadow(f.x + 16, f.y + f.r * 0.85, f.r * 1.1, f.r * 0.22, 0.6);
    for (const Fruit& f : fruit)
        Ellipsoid(f.x, f.y, f.r, f.r * 0.95, f.color, 0.35, {1, 1, 1});

    // Saturated and pastel patches, alternating, on a mid-grey band.
    Rect(0, kPatchTop, kWidth, kHueTop, Srgb(128, 128, 128));
    const double hues[] = {0, 60, 120, 180, 240, 300};
    for (int i = 0; i < 12; ++i) {
        const int left = 16 + i * 132;
        const double hue = hues[i / 2];
        Rect(left, kPatchTop + 10, left + 120, kHueTop - 10,
             i % 2 == 0 ? Hsv(hue, 1.0, 1.0) : Hsv(hue, 0.28, 0.97));
    }

    // Hue band: pastel at the top, saturated at the bottom.
    for (int y = kHueTop; y < kStepsTop; ++y)
        for (int x = 0; x < kWidth; ++x)
            At(x, y) = Hsv(360.0 * x / kWidth,
                           0.2 + 0.8 * (y - kHueTop) / double(kStepsTop - kHueTop - 1), 0.96);

    // Near-black and near-white steps: 0..9 and 246..255, one level apart.
    for (int i = 0; i < 10; ++i) {
        Rect(i * 80, kStepsTop, i * 80 + 80, kWedgeTop, Srgb(i, i, i));
        const int w = 246 + i;
        Rect(800 + i * 80, kStepsTop, 880 + i * 80, kWedgeTop, Srgb(w, w, w));
    }
    // A 21-step grey wedge and a continuous ramp, both black to white.
    for (int i = 0; i < 21; ++i) {
        const int v = static_cast<int>(std::lround(i * 255.0 / 20));
        Rect(i * kWidth / 21, kWedgeTop, (i + 1) * kWidth / 21, kRampTop, Srgb(v, v, v));
    }
    for (int x = 0; x < kWidth; ++x) {
        const double v = ToLinear(double(x) / (kWidth - 1));
        Rect(x, kRampTop, x + 1, kBlackTop, {v, v, v});
    }
    Rect(0, kBlackTop, kWidth, kHeight, Srgb(0, 0, 0));
}

// sRGB bytes; a tiny ordered dither keeps the smooth gradients free of contour lines.
std::vector<JSAMPLE> Encode() {
    std::vector<JSAMPLE> bytes(static_cast<size_t>(kWidth) * kHeight * 3);
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            // The steps, the wedge and the black end must stay exact levels.
            const bool flat = (y >= kStepsTop && y < kRampTop) || y >= kBlackTop;
            const double dither = flat ? 0 : (bayer[y & 3][x & 3] + 0.5) / 16 - 0.5;
            const Rgb c = At(x, y);
            JSAMPLE* p = &bytes[(static_cast<size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<JSAMPLE>(
                std::clamp(std::lround(ToEncoded(c.r) * 255 + dither), 0L, 255L));
            p[1] = static_cast<JSAMPLE>(
                std::clamp(std::lround(ToEncoded(c.g) * 255 + dither), 0L, 255L));
            p[2] = static_cast<JSAMPLE>(
                std::clamp(std::lround(ToEncoded(c.b) * 255 + dither), 0L, 255L));
        }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.jpg>\n", argv[0]);
        return 2;
    }
    Scene();
    std::vector<JSAMPLE> pixels = Encode();

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    const char note[] = "Tonecast reference image, sRGB. Made for the Tonecast project; CC0 1.0.";
    jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(note), sizeof(note) - 1);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &pixels[static_cast<size_t>(cinfo.next_scanline) * kWidth * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(out) == 0 ? 0 : 1;
}

#include "ramp/Correction.h"

#include <cmath>
#include <limits>

PatternSettings& Patterns() {
    static PatternSettings settings;
    return settings;
}

void ClearCorrection(TCorrection& c) {
    c = TCorrection{};
}

void ClearPoints(TCorrection& c) {
    c.PointOn.fill(0);
    c.Point.fill(0);
    c.PointR.fill(0);
    c.PointG.fill(0);
    c.PointB.fill(0);
}

int NextPoint(const TCorrection& c, int pos) {
    for (int step = 1; step <= 256; ++step) {
        int level = (pos + step) % 256;
        if (c.PointOn[level])
            return level;
    }
    return pos + 1 > 255 ? 255 : pos + 1;
}

int PrevPoint(const TCorrection& c, int pos) {
    for (int step = 1; step <= 256; ++step) {
        int level = ((pos - step) % 256 + 256) % 256;
        if (c.PointOn[level])
            return level;
    }
    return pos - 1 < 0 ? 0 : pos - 1;
}

namespace {

struct Knot {
    int level;
    double value[4];  // Point, PointR, PointG, PointB
};

std::array<std::int32_t, 256>* PointArrays(TCorrection& c, int k) {
    switch (k) {
        case 0:
            return &c.Point;
        case 1:
            return &c.PointR;
        case 2:
            return &c.PointG;
        default:
            return &c.PointB;
    }
}

double CatmullRom(double p0, double p1, double p2, double p3, double t) {
    return 0.5 * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                  (3 * p1 - p0 - 3 * p2 + p3) * t * t * t);
}

// Toward zero. Points read from a file are not range-checked, and the curve through large
// ones can overshoot what an int32 holds: it then stays at the limit.
std::int32_t TruncateToInt32(double v) {
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (v >= kMax)
        return std::numeric_limits<std::int32_t>::max();
    if (v <= kMin)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

}  // namespace

void InterpolatePoints(TCorrection& c) {
    // At most 256 points plus two doubled end knots; kept on the stack since this
    // runs on every keystroke.
    Knot knots[256 + 4];
    int n = 0;
    knots[0] = knots[1] = Knot{0, {0, 0, 0, 0}};
    for (int level = 0; level < 256; ++level) {
        if (!c.PointOn[level])
            continue;
        Knot& k = knots[2 + n++];
        k.level = level;
        for (int a = 0; a < 4; ++a)
            k.value[a] = (*PointArrays(c, a))[level];
    }
    if (n == 0) {
        ClearPoints(c);
        return;
    }
    knots[n + 2] = knots[n + 3] = Knot{255, {0, 0, 0, 0}};

    for (int s = 0; s <= n; ++s) {
        const int a = knots[s + 1].level;
        const int b = knots[s + 2].level;
        if (b == a)
            continue;
        const double step = 1.0 / (b - a);
        const bool linear = (s == n - 1);
        double t = 0;  // a running sum, as the stored curves have always been computed
        for (int j = a; j <= b; ++j) {
            if (!c.PointOn[j]) {
                for (int col = 0; col < 4; ++col) {
                    double v;
                    if (linear) {
                        const double v1 = knots[s + 1].value[col], v2 = knots[s + 2].value[col];
                        v = v1 + (v2 - v1) * t;
                    } else {
                        v = CatmullRom(knots[s].value[col], knots[s + 1].value[col],
                                       knots[s + 2].value[col], knots[s + 3].value[col], t);
                    }
                    (*PointArrays(c, col))[j] = TruncateToInt32(v);
                }
            }
            t += step;
        }
    }
}

void BuildRamp(TCorrection& c, Ramp& ramp) {
    InterpolatePoints(c);
    const std::int32_t gammaC[3] = {c.GammaR, c.GammaG, c.GammaB};
    const std::int32_t whiteC[3] = {c.WhiteR, c.WhiteG, c.WhiteB};
    const std::int32_t blackC[3] = {c.BlackR, c.BlackG, c.BlackB};
    const std::int32_t balanceC[3] = {c.BalanceR, c.BalanceG, c.BalanceB};
    const std::array<std::int32_t, 256>* pointC[3] = {&c.PointR, &c.PointG, &c.PointB};

    for (int ch = 0; ch < 3; ++ch) {
        double g = (1 + c.Gamma / 100.0) * (1 + gammaC[ch] / 100.0);
        if (!(g > 0))
            g = 0.00001;
        const double e = 1 / g;
        const double w = whiteC[ch] / 512.0 + 1 + c.White / 256.0;
        const double b = blackC[ch] / 1024.0 + c.Black / 512.0;
        for (int i = 0; i < 256; ++i) {
            const double x = i / 255.0;
            const double base = i == 0 ? 0.0 : std::pow(x, e);
            // 64-bit sum: values read from a file are not range-checked and may be large.
            const std::int64_t points = static_cast<std::int64_t>(c.Point[i]) + (*pointC[ch])[i];
            const double offset =
                (255 - i) * b / 255 + balanceC[ch] / 2048.0 + static_cast<double>(points) / 1024;
            double v = (base * w + offset) * 65535;
            if (v > 65535)
                v = 65535;
            if (v < 0)
                v = 0;
            RampEntry(ramp, ch, i) = static_cast<std::uint16_t>(std::nearbyint(v));
        }
    }
}

void LinearRamp(Ramp& ramp) {
    for (int ch = 0; ch < 3; ++ch)
        for (int i = 0; i < 256; ++i)
            RampEntry(ramp, ch, i) = static_cast<std::uint16_t>(i * 256);
}

std::pair<int, int> GammaPair(int level) {
    // The settings and the edit only let positive gammas through; should another one arrive,
    // fall back to the usual display gamma rather than computing with infinities.
    double g = Patterns().TargetGamma;
    if (!(g > 0) || !std::isfinite(g))
        g = 2.2;
    int high = static_cast<int>(std::nearbyint(level * std::pow(2.0, 1 / g)));
    int low = 0;
    if (high > 255) {
        high = 255;
        low = static_cast<int>(
            std::nearbyint(std::pow(2 * std::pow(level, g) - std::pow(255.0, g), 1 / g)));
    }
    return {low, high};
}

#include "ui/TargetGammaText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/Text.h"

namespace {

// The digits of |value| rounded to three decimals, as integer and fraction digit strings.
// Works on the 15-significant-digit decimal form so that 1.2345 rounds up, as a user reading
// the number expects, instead of down by its binary representation.
void RoundedDigits(double magnitude, std::string& integerDigits, std::string& fraction) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde[+-]xx
    std::string mantissa;
    for (const char* p = buf; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);

    // Place the decimal point: digits before it are the integer part.
    std::string digits = mantissa;
    int pointAt = exponent + 1;  // number of digits before the point
    if (pointAt <= 0) {
        digits = std::string(static_cast<size_t>(-pointAt), '0') + digits;
        pointAt = 0;
    }
    if (static_cast<int>(digits.size()) < pointAt + 4)
        digits.append(static_cast<size_t>(pointAt + 4 - static_cast<int>(digits.size())), '0');

    // Keep three decimals, round on the fourth.
    std::string kept = digits.substr(0, static_cast<size_t>(pointAt + 3));
    if (digits[static_cast<size_t>(pointAt + 3)] >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<size_t>(i)] == '9') {
                kept[static_cast<size_t>(i)] = '0';
            } else {
                ++kept[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            kept = "1" + kept;
            ++pointAt;
        }
    }
    integerDigits = kept.substr(0, static_cast<size_t>(pointAt));
    fraction = kept.substr(static_cast<size_t>(pointAt));
    integerDigits.erase(0, integerDigits.find_first_not_of('0'));  // "#" shows no lone zero
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
}

}  // namespace

std::string FormatTargetGamma(double value, char decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    std::string integerDigits, fraction;
    RoundedDigits(std::fabs(value), integerDigits, fraction);
    if (integerDigits.empty() && fraction.empty())
        return {};
    std::string text = value < 0 ? "-" : "";
    text += integerDigits;
    if (!fraction.empty()) {
        text += decimalSeparator;
        text += fraction;
    }
    return text;
}

std::optional<double> ParseTargetGamma(const std::string& text, char decimalSeparator) {
    // A gamma has no thousands separator, so a comma and a point both read as the decimal
    // separator whatever the locale says.
    std::string plain = text;
    for (char& ch : plain)
        if (ch == decimalSeparator || ch == ',')
            ch = '.';
    return ParseDecimal(plain, '.');
}

bool IsValidTargetGamma(double value) {
    return value > 0 && value <= 5.01;
}

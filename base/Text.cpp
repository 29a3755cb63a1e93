#include "base/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

}  // namespace

std::optional<std::int32_t> ParseWholeNumber(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a magnitude capped just above the 32-bit range, so long runs of digits
    // cannot overflow and simply fall out of range.
    constexpr std::int64_t kCap = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return std::nullopt;
        if (magnitude < kCap)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<double> ParseDecimal(const std::string& text, char separator) {
    std::string plain;  // the same number in the C form that from_chars reads
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    int digits = 0;
    while (i < n && IsDigit(text[i]))
        plain += text[i++], ++digits;
    if (i < n && text[i] == separator) {
        plain += '.';
        ++i;
        while (i < n && IsDigit(text[i]))
            plain += text[i++], ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            plain += text[i++];
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i]))
            plain += text[i++], ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

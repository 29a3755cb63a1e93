#include "ui/UpDownRule.h"

std::optional<int> UpDownValue(const std::string& text, int min, int max) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a magnitude capped just above any int range, so long runs of digits
    // cannot overflow and simply fall out of range.
    constexpr long long kCap = 1LL << 40;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9')
            return std::nullopt;
        if (magnitude < kCap)
            magnitude = magnitude * 10 + (ch - '0');
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return static_cast<int>(value);
}

int PositionFollowingText(const std::string& text, int min, int max, int lastPosition) {
    return UpDownValue(text, min, max).value_or(lastPosition);
}

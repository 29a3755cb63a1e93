#include "ui/UpDownRule.h"

#include "base/Text.h"

std::optional<int> UpDownValue(const std::string& text, int min, int max) {
    const std::optional<std::int32_t> value = ParseWholeNumber(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return *value;
}

int PositionFollowingText(const std::string& text, int min, int max, int lastPosition) {
    return UpDownValue(text, min, max).value_or(lastPosition);
}

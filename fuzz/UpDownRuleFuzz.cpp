// The integer rule of the up-down edits: a text gives a position exactly when it is a whole
// decimal number (optional sign, digits only) within the range, and then that number;
// otherwise the last position stays. Checked against a reading that counts digits instead of
// computing, for the ranges the window uses and for one taken from the input.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "ui/UpDownRule.h"

namespace {

// The value when the text is an optionally signed run of digits of at most 12 significant
// digits (anything longer is outside every int range); nullopt when it is not a number at all.
// `tooLong` tells the long runs apart.
std::optional<long long> PlainInteger(const std::string& text, bool& tooLong) {
    tooLong = false;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return std::nullopt;
    while (i + 1 < text.size() && text[i] == '0')
        ++i;
    if (text.size() - i > 12) {
        tooLong = true;
        return std::nullopt;
    }
    const long long magnitude = std::stoll(text.substr(i));
    return negative ? -magnitude : magnitude;
}

void Check(const std::string& text, int min, int max, int last) {
    bool tooLong = false;
    const std::optional<long long> plain = PlainInteger(text, tooLong);
    const std::optional<int> value = UpDownValue(text, min, max);
    const bool inRange = plain && *plain >= min && *plain <= max;
    FUZZ_CHECK(value.has_value() == inRange);
    if (value)
        FUZZ_CHECK(*value == *plain);
    FUZZ_CHECK(PositionFollowingText(text, min, max, last) == (value ? *value : last));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8)
        return 0;
    std::int32_t a, b;
    std::memcpy(&a, data, 4);
    std::memcpy(&b, data + 4, 4);
    const std::string text(reinterpret_cast<const char*>(data + 8), size - 8);
    Check(text, -100, 100, 10);  // the adjustment edits
    Check(text, 0, 255, 127);    // the point position
    Check(text, a < b ? a : b, a < b ? b : a, a);
    // Every number of the range, written as the up-down writes it, reads back as itself.
    const int shown = (a % 201 + 201) % 201 - 100;
    FUZZ_CHECK(UpDownValue(std::to_string(shown), -100, 100) == shown);
    return 0;
}

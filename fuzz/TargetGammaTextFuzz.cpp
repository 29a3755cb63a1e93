// The decimal rule of the target-gamma edit and of the settings file. The input's first byte
// picks the locale's decimal separator; the rest is the text. Every text the strict rule of the
// settings file reads, the edit reads as the same number; the edit takes a comma and a point
// alike; a number the edit accepts is shown as "#.###" text that reads back as itself rounded
// to three decimals and shows the same again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/Text.h"
#include "fuzz/FuzzCheck.h"
#include "ui/TargetGammaText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> edit = ParseTargetGamma(text, separator);
    const std::optional<double> strict = ParseDecimal(text, separator);
    if (strict)
        FUZZ_CHECK(edit && *edit == *strict);
    if (edit)
        FUZZ_CHECK(std::isfinite(*edit));
    std::string withPoints = text;
    for (char& ch : withPoints)
        if (ch == ',')
            ch = '.';
    const std::optional<double> pointed = ParseTargetGamma(withPoints, separator);
    FUZZ_CHECK(edit.has_value() == pointed.has_value() && (!edit || *edit == *pointed));

    if (edit) {
        const std::string shown = FormatTargetGamma(*edit, separator);
        if (shown.empty()) {
            FUZZ_CHECK(std::fabs(*edit) < 0.0005 + 1e-12);
        } else {
            const std::optional<double> back = ParseTargetGamma(shown, separator);
            FUZZ_CHECK(back.has_value());
            FUZZ_CHECK(std::fabs(*back - *edit) <= 0.0005 + 1e-9 * std::fabs(*edit));
            FUZZ_CHECK(FormatTargetGamma(*back, separator) == shown);
            FUZZ_CHECK(shown.find(separator == '.' ? ',' : '.') == std::string::npos);
        }
        FUZZ_CHECK(IsValidTargetGamma(*edit) == (*edit > 0 && *edit <= 5.01));
    }
    return 0;
}

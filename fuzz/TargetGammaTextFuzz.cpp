// The decimal rule of the target-gamma edit and of the settings file. The input's first byte
// picks the decimal separator; the rest is the text. The edit's reading and the settings'
// reading accept the same texts and give the same numbers (the edit refuses what does not fit
// a finite double, the settings leave that to their range check); a number the edit accepts
// is shown as "#.###" text that reads back as itself rounded to three decimals and shows the
// same again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/Settings.h"
#include "fuzz/FuzzCheck.h"
#include "ui/TargetGammaText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> edit = ParseTargetGamma(text, separator);
    double settings = 0;
    const bool settingsRead = ParseDecimal(text, separator, settings);
    if (edit) {
        FUZZ_CHECK(std::isfinite(*edit));
        FUZZ_CHECK(settingsRead && settings == *edit);
    } else if (settingsRead) {
        // Only a number beyond a double's range, or too small for one, reads differently.
        FUZZ_CHECK(!std::isfinite(settings) || std::fabs(settings) < 1e-300);
    }

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

// Ramp files: any bytes either parse or are refused (not a ramp file, or "Invalid numeric
// input"). An accepted file formats to bytes that parse to the same record, device name and
// monitor and format to the same bytes again; its record then synthesises a ramp.

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Errors.h"
#include "fuzz/FuzzCheck.h"
#include "ramp/Correction.h"
#include "ramp/RampFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TCorrection record;
    std::string deviceName, monitor;
    try {
        if (!ParseRampFile(text, record, deviceName, &monitor))
            return 0;
    } catch (const ConvertError&) {
        return 0;
    }

    const std::string formatted = FormatRampFile(record, deviceName, monitor);
    TCorrection again;
    std::string againName, againMonitor;
    FUZZ_CHECK(ParseRampFile(formatted, again, againName, &againMonitor));  // must not throw
    FUZZ_CHECK(again == record);
    FUZZ_CHECK(againName == deviceName);
    FUZZ_CHECK(againMonitor == monitor);
    FUZZ_CHECK(FormatRampFile(again, againName, againMonitor) == formatted);

    Ramp ramp;
    BuildRamp(record, ramp);
    // The interpolation only fills the levels between enabled points: those keep their values.
    for (int level = 0; level < 256; ++level)
        if (again.PointOn[level])
            FUZZ_CHECK(record.Point[level] == again.Point[level] &&
                       record.PointR[level] == again.PointR[level]);
    return 0;
}

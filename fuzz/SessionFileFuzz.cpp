// Session files: any bytes either parse or are refused. An accepted file is in the one form the
// program writes, so formatting what was read gives the same bytes back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "ramp/SessionJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CapturedRamp> ramps;
    if (!ParseSessionFile(text, ramps))
        return 0;
    FUZZ_CHECK(FormatSessionFile(ramps) == text);
    return 0;
}

#include "ramp/RampFile.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/Text.h"
#include "ramp/Displays.h"
#include "ramp/RampFileMatch.h"

namespace {

constexpr const char* kHeader = "RampCurve v.1";
constexpr const char* kMonitorPrefix = "Monitor=";
constexpr const char* kLineEnd = "\r\n";
constexpr int kMaxTokenLength = 32;
constexpr int kMaxFadePasses = 65536;
constexpr int kFadePauseMs = 10;
constexpr int kUnreadRampPauseMs = 50;

// The fifteen adjustments in the order the file stores them.
constexpr std::int32_t TCorrection::*kAdjustments[15] = {
    &TCorrection::Gamma,    &TCorrection::GammaR,   &TCorrection::GammaG,  &TCorrection::GammaB,
    &TCorrection::Black,    &TCorrection::BlackR,   &TCorrection::BlackG,  &TCorrection::BlackB,
    &TCorrection::White,    &TCorrection::WhiteR,   &TCorrection::WhiteG,  &TCorrection::WhiteB,
    &TCorrection::BalanceR, &TCorrection::BalanceG, &TCorrection::BalanceB};

// Reads the file by the format's rules: whole lines for the header,
// the device name and the flags; for numbers, a token after any white space, then the rest
// of its line is dropped. Past the end, lines are empty and numbers are 0.
class RampReader {
public:
    explicit RampReader(const std::string& text) : text_(text) {}

    std::string ReadLine() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n')
            ++pos_;
        std::string line = text_.substr(start, pos_ - start);
        SkipLineEnd();
        return line;
    }

    std::int32_t ReadInteger() {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
        if (pos_ >= text_.size())
            return 0;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && pos_ - start < kMaxTokenLength && !IsDelimiter(text_[pos_]))
            ++pos_;
        return Convert(text_.substr(start, pos_ - start));
    }

    void SkipRestOfLine() { ReadLine(); }

private:
    static bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }
    static bool IsDelimiter(char ch) { return static_cast<unsigned char>(ch) <= ' ' || ch == 127; }

    void SkipLineEnd() {
        if (pos_ < text_.size() && text_[pos_] == '\r')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    }

    // Optionally signed decimal; anything else, or a value outside 32 bits, is malformed.
    static std::int32_t Convert(const std::string& token) {
        if (const std::optional<std::int32_t> value = ParseWholeNumber(token))
            return *value;
        throw ConvertError("Invalid numeric input");
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

void AppendLine(std::string& out, const std::string& line) {
    out += line;
    out += kLineEnd;
}

}  // namespace

std::string RampFileName(const std::string& dataFolder, int displayIndex) {
    return dataFolder + "Tonecast" + std::to_string(displayIndex + 1) + ".lut";
}

std::string FormatRampFile(const TCorrection& c, const std::string& deviceName,
                           const std::string& monitorId) {
    std::string out;
    out.reserve(8192);
    AppendLine(out, kHeader);
    AppendLine(out, deviceName);
    for (auto field : kAdjustments)
        AppendLine(out, std::to_string(c.*field));
    for (int level = 0; level < 256; ++level) {
        AppendLine(out, c.PointOn[level] ? "TRUE" : "FALSE");
        AppendLine(out, std::to_string(c.Point[level]));
        AppendLine(out, std::to_string(c.PointR[level]));
        AppendLine(out, std::to_string(c.PointG[level]));
        AppendLine(out, std::to_string(c.PointB[level]));
    }
    if (!monitorId.empty())
        AppendLine(out, kMonitorPrefix + monitorId);
    return out;
}

std::string FormatDisplayRampFile(const TCorrection& c, int displayIndex) {
    return FormatRampFile(c, DisplayDeviceName(displayIndex), MonitorDeviceId(displayIndex));
}

bool ParseRampFile(const std::string& text, TCorrection& c, std::string& deviceName,
                   std::string* monitorId) {
    RampReader reader(text);
    if (reader.ReadLine() != kHeader)
        return false;
    // Everything lands in a scratch record first: a malformed number must not leave the
    // caller's record half overwritten.
    TCorrection read;
    std::string device = reader.ReadLine();
    for (auto field : kAdjustments) {
        read.*field = reader.ReadInteger();
        reader.SkipRestOfLine();
    }
    for (int level = 0; level < 256; ++level) {
        read.PointOn[level] = reader.ReadLine() == "TRUE" ? 1 : 0;
        for (auto* points : {&read.Point, &read.PointR, &read.PointG, &read.PointB}) {
            (*points)[level] = reader.ReadInteger();
            reader.SkipRestOfLine();
        }
    }
    const std::string last = reader.ReadLine();
    c = read;
    deviceName = std::move(device);
    if (monitorId)
        *monitorId = last.starts_with(kMonitorPrefix)
                         ? last.substr(std::string_view(kMonitorPrefix).size())
                         : std::string();
    return true;
}

bool WriteRampFile(const TCorrection& c, int displayIndex, const std::string& fileName) {
    if (displayIndex < 0 || displayIndex >= Engine().DisplayCount())
        return false;
    Files().ReplaceFile(fileName, FormatDisplayRampFile(c, displayIndex));
    return true;
}

bool ReadRampFile(TCorrection& c, std::string& deviceName, const std::string& fileName,
                  std::string* monitorId) {
    if (!Files().FileExists(fileName))
        return false;
    std::string text;
    if (!Files().ReadFile(fileName, text, kMaxRampFileBytes))
        return false;
    return ParseRampFile(text, c, deviceName, monitorId);
}

bool StepToward(std::uint16_t& current, std::uint16_t target) {
    if (current == target)
        return false;
    const int distance = current > target ? current - target : target - current;
    const int half = distance / 2;
    if (half <= 256) {
        current = target;
        return false;
    }
    const int step = half < 512 ? half : 512;
    current = static_cast<std::uint16_t>(current > target ? current - step : current + step);
    return true;
}

bool ReadSavedRamp(const std::string& fileName, int displayIndex, Ramp& target) {
    DisplayState& e = Engine();
    if (displayIndex < 0 || displayIndex >= e.DisplayCount())
        return false;
    try {
        std::string deviceName;
        if (!ReadRampFile(e.Corrections[displayIndex], deviceName, fileName))
            return false;
    } catch (const ConvertError&) {
        // One damaged file must not keep the other displays from their corrections.
        return false;
    } catch (const InOutError&) {
        // Nor one that cannot be opened or read (locked, no permission).
        return false;
    }
    BuildRamp(e.Corrections[displayIndex], target);
    return true;
}

bool FadeToRamps(const std::vector<std::optional<Ramp>>& target) {
    DisplayState& e = Engine();
    const int count = std::min(e.DisplayCount(), static_cast<int>(target.size()));
    std::vector<Ramp> current(count);
    std::vector<bool> done(count, false);

    for (int i = 0; i < count; ++i) {
        done[i] = !target[i];
        if (!done[i] && !ReadDisplayRamp(i, current[i])) {
            LinearRamp(current[i]);
            WriteDisplayRamp(i, current[i]);
            SystemClock().Sleep(kUnreadRampPauseMs);
        }
    }

    for (int pass = 0; pass < kMaxFadePasses; ++pass) {
        int moved = 0;
        for (int i = 0; i < count; ++i) {
            if (done[i])
                continue;
            bool partial = false;
            for (int j = 0; j < kRampSize; ++j)
                if (StepToward(current[i][j], (*target[i])[j]))
                    partial = true;
            if (partial) {
                ++moved;
                WriteDisplayRamp(i, current[i]);
            } else {
                done[i] = true;
                WriteVerifiedRamp(i, current[i]);  // the exact target: did the display take it?
            }
        }
        if (moved == 0)
            break;
        SystemClock().Sleep(kFadePauseMs);
    }
    for (int i = 0; i < count; ++i)
        if (!done[i] || (target[i] && DisplayRefused(i)))
            return false;
    return true;
}

bool LoadAndApplyAll(const std::string& dataFolder, const FallbackRamps& fallback) {
    const std::vector<std::string> files = MatchRampFiles(dataFolder);
    std::vector<std::optional<Ramp>> target(Engine().DisplayCount(), Ramp{});
    for (int i = 0; i < Engine().DisplayCount(); ++i) {
        if (ReadSavedRamp(files[i], i, *target[i]))
            continue;
        if (i < static_cast<int>(fallback.size()) && fallback[i])
            target[i] = fallback[i];
        else
            LinearRamp(*target[i]);
    }
    return FadeToRamps(target);
}

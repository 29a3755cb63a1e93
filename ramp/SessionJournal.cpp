#include "ramp/SessionJournal.h"

#include <charconv>

#include "base/Errors.h"
#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"
#include "ramp/RampFileMatch.h"

namespace {

constexpr const char* kHeader = "TonecastSession v.1";

// The next CRLF-ended line from `at`; false at the end or without its CRLF.
bool NextLine(const std::string& text, std::size_t& at, std::string& line) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos)
        return false;
    line = text.substr(at, end - at);
    at = end + 2;
    return true;
}

// 768 entries, each plain decimal digits (no sign, no leading zero) within 16 bits.
bool ParseEntries(const std::string& line, Ramp& ramp) {
    const char* p = line.data();
    const char* end = p + line.size();
    for (int i = 0; i < kRampSize; ++i) {
        if (i > 0 && (p == end || *p++ != ' '))
            return false;
        unsigned value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || value > 0xFFFF || next == p || (*p == '0' && next - p > 1))
            return false;
        ramp[i] = static_cast<std::uint16_t>(value);
        p = next;
    }
    return p == end;
}

std::string SessionFilePath(const std::string& dataFolder) {
    return dataFolder + kSessionFileName;
}

}  // namespace

std::string FormatSessionFile(const std::vector<CapturedRamp>& ramps) {
    std::string text = std::string(kHeader) + "\r\n";
    for (const CapturedRamp& captured : ramps) {
        text += captured.device + "\r\n";
        for (int i = 0; i < kRampSize; ++i) {
            if (i)
                text += ' ';
            text += std::to_string(captured.ramp[i]);
        }
        text += "\r\n";
    }
    return text;
}

bool ParseSessionFile(const std::string& text, std::vector<CapturedRamp>& ramps) {
    std::size_t at = 0;
    std::string line;
    if (!NextLine(text, at, line) || line != kHeader)
        return false;
    std::vector<CapturedRamp> read;
    while (at < text.size()) {
        CapturedRamp captured;
        if (!NextLine(text, at, captured.device) || !NextLine(text, at, line) ||
            !ParseEntries(line, captured.ramp))
            return false;
        read.push_back(std::move(captured));
    }
    ramps = std::move(read);
    return true;
}

bool WriteSessionJournal(const std::string& dataFolder) {
    const DisplayState& engine = Engine();
    std::vector<CapturedRamp> ramps;
    for (int i = 0; i < engine.DisplayCount(); ++i)
        if (i < static_cast<int>(engine.SavedRampRead.size()) && engine.SavedRampRead[i])
            ramps.push_back({DisplayDeviceName(i), engine.SavedRamps[i]});
    const std::string path = SessionFilePath(dataFolder);
    try {
        if (Files().FileExists(path))
            return false;
        // The file guards against the process being ended, which the system's cache
        // survives. After a power cut the displays start without any correction, and a file
        // cut short by it fails to parse and is removed: waiting for the disk would only
        // delay the window's opening.
        Files().ReplaceFileUnflushed(path, FormatSessionFile(ramps));
        return true;
    } catch (const InOutError&) {
        return false;  // the window runs unguarded against a forced end, as before
    }
}

void RemoveSessionJournal(const std::string& dataFolder) {
    Files().RemoveFile(SessionFilePath(dataFolder));
}

FallbackRamps RecoverSessionJournal(const std::string& dataFolder, bool calibrationOpen) {
    const std::string path = SessionFilePath(dataFolder);
    std::string text;
    FallbackRamps restored(Engine().DisplayCount());
    try {
        if (calibrationOpen || !Files().ReadFile(path, text, kMaxSessionFileBytes))
            return restored;
    } catch (const InOutError&) {
        return restored;  // not readable now; a later start tries again
    }
    std::vector<CapturedRamp> ramps;
    if (ParseSessionFile(text, ramps)) {
        const std::vector<std::string> rampFiles = MatchRampFiles(dataFolder);
        for (const CapturedRamp& captured : ramps) {
            for (int i = 0; i < Engine().DisplayCount(); ++i) {
                if (DisplayDeviceName(i) != captured.device)
                    continue;
                // A display with a saved correction gets it the usual way: from the window
                // opening now, the log-on fade or the loader.
                Ramp saved;
                if (ReadSavedRamp(rampFiles[i], i, saved))
                    continue;
                WriteVerifiedRamp(i, captured.ramp);
                restored[i] = captured.ramp;
            }
        }
    }
    Files().RemoveFile(path);
    return restored;
}

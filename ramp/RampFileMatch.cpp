#include "ramp/RampFileMatch.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "ramp/RampFile.h"

namespace {

constexpr std::string_view kPrefix = "Tonecast";

bool SameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The device ID a file names; empty for a file without one, and for one that cannot be read
// (it is then matched by its number, and reading it fails there as before).
std::string MonitorIdOf(const std::string& path) {
    try {
        TCorrection record;
        std::string deviceName, monitorId;
        ReadRampFile(record, deviceName, path, &monitorId);
        return monitorId;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

std::optional<int> TonecastFileNumber(const std::string& name, std::string_view extension) {
    if (name.size() <= kPrefix.size() + extension.size() ||
        !SameLetters(std::string_view(name).substr(0, kPrefix.size()), kPrefix) ||
        !SameLetters(std::string_view(name).substr(name.size() - extension.size()), extension))
        return std::nullopt;
    const std::string digits =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - extension.size());
    if (digits.size() > 6 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return std::nullopt;
    return std::stoi(digits);
}

std::vector<std::string> MatchRampFiles(const std::string& dataFolder) {
    std::map<int, std::string> monitorOfFile;  // file number -> the device ID it names
    for (const std::string& name : Files().ListFolder(dataFolder, "Tonecast*.lut"))
        if (const std::optional<int> number = TonecastFileNumber(name, ".lut"))
            monitorOfFile[*number] = MonitorIdOf(dataFolder + name);

    const DisplayState& e = Engine();
    std::vector<int> numbers(e.DisplayCount(), 0);
    std::set<int> taken;
    auto take = [&](int display, int number) {
        numbers[display] = number;
        taken.insert(number);
    };
    // The monitor's own file first (the lowest number, should it have several).
    for (int i = 0; i < e.DisplayCount(); ++i) {
        const std::string id = MonitorDeviceId(i);
        for (const auto& [number, monitor] : monitorOfFile)
            if (!id.empty() && monitor == id && !taken.count(number)) {
                take(i, number);
                break;
            }
    }
    // Then the file of its number, unless that names a monitor.
    for (int i = 0; i < e.DisplayCount(); ++i) {
        const auto file = monitorOfFile.find(i + 1);
        const bool free = file == monitorOfFile.end() || file->second.empty();
        if (numbers[i] == 0 && free && !taken.count(i + 1))
            take(i, i + 1);
    }
    // Then a number nobody uses.
    for (int i = 0; i < e.DisplayCount(); ++i) {
        for (int number = 1; numbers[i] == 0; ++number)
            if (!monitorOfFile.count(number) && !taken.count(number))
                take(i, number);
    }
    std::vector<std::string> names;
    for (int number : numbers)
        names.push_back(RampFileName(dataFolder, number - 1));
    return names;
}

#include "ramp/DisplayProfile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTagEntrySize = 12;
constexpr std::uint32_t kVersion24 = 0x02400000;
// Days from 1899-12-30, where the program's dates count from, to 1970-01-01.
constexpr long long kDaysTo1970 = 25569;

// Big-endian bytes, as every number in a profile is stored.
class Bytes {
public:
    void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
    void U16(unsigned v) {
        U8(v >> 8);
        U8(v);
    }
    void U32(std::uint32_t v) {
        U16(v >> 16);
        U16(v & 0xFFFF);
    }
    void Signature(const char (&sig)[5]) { data_.append(sig, 4); }
    void S15Fixed16(double v) { U32(static_cast<std::uint32_t>(std::lround(v * 65536.0))); }
    void Zeros(std::size_t count) { data_.append(count, '\0'); }
    void Text(const std::string& text) { data_ += text; }
    void PadTo4() { Zeros((4 - data_.size() % 4) % 4); }
    std::string& Data() { return data_; }

private:
    std::string data_;
};

// The code points of UTF-8 text; a byte that starts no valid sequence stands for itself as '?'.
std::vector<char32_t> CodePoints(const std::string& utf8) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        char32_t point = length == 1   ? lead
                         : length == 2 ? lead & 0x1F
                         : length == 3 ? lead & 0x0F
                                       : lead & 0x07;
        bool valid = length > 0 && i + length <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next >> 6) == 2;
            point = (point << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && point >= kSmallest[length] && point <= 0x10FFFF &&
                (point < 0xD800 || point > 0xDFFF);
        points.push_back(valid ? point : U'?');
        i += valid ? length : 1;
    }
    return points;
}

// textDescriptionType: the ASCII text (other characters as '?'), the same in Unicode
// (UTF-16), and an empty Macintosh ScriptCode record.
std::string DescriptionTag(const std::string& utf8) {
    const std::vector<char32_t> points = CodePoints(utf8);
    std::string ascii;
    std::u16string unicode;
    for (char32_t p : points) {
        ascii += p < 0x80 ? static_cast<char>(p) : '?';
        if (p > 0xFFFF) {
            unicode += static_cast<char16_t>(0xD800 + ((p - 0x10000) >> 10));
            unicode += static_cast<char16_t>(0xDC00 + ((p - 0x10000) & 0x3FF));
        } else {
            unicode += static_cast<char16_t>(p);
        }
    }
    Bytes tag;
    tag.Signature("desc");
    tag.U32(0);
    tag.U32(static_cast<std::uint32_t>(ascii.size() + 1));
    tag.Text(ascii);
    tag.U8(0);
    tag.U32(0);  // Unicode language code
    tag.U32(static_cast<std::uint32_t>(unicode.size() + 1));
    for (char16_t unit : unicode)
        tag.U16(unit);
    tag.U16(0);
    tag.U16(0);  // ScriptCode code
    tag.U8(0);   // ScriptCode count
    tag.Zeros(67);
    return tag.Data();
}

std::string TextTag(const std::string& ascii) {
    Bytes tag;
    tag.Signature("text");
    tag.U32(0);
    tag.Text(ascii);
    tag.U8(0);
    return tag.Data();
}

std::string XyzTag(const Xyz& xyz) {
    Bytes tag;
    tag.Signature("XYZ ");
    tag.U32(0);
    for (double v : xyz)
        tag.S15Fixed16(v);
    return tag.Data();
}

std::string MatrixTag(const Matrix3& m) {
    Bytes tag;
    tag.Signature("sf32");
    tag.U32(0);
    for (const Xyz& row : m)
        for (double v : row)
            tag.S15Fixed16(v);
    return tag.Data();
}

// A curve of one entry is a pure power function; its exponent is an unsigned 8.8 number.
std::string GammaTag(double gamma) {
    Bytes tag;
    tag.Signature("curv");
    tag.U32(0);
    tag.U32(1);
    // A gamma from the settings file is not range-checked; the tag holds what it can.
    const double held = std::isfinite(gamma) ? std::clamp(gamma, 1 / 256.0, 65535 / 256.0) : 2.2;
    tag.U16(static_cast<unsigned>(std::lround(held * 256.0)));
    return tag.Data();
}

// The table form: three channels of 256 entries of two bytes, red, then green, then blue.
std::string CalibrationTag(const Ramp& ramp) {
    Bytes tag;
    tag.Signature("vcgt");
    tag.U32(0);
    tag.U32(0);  // a table, not a formula
    tag.U16(3);
    tag.U16(kRampLevels);
    tag.U16(2);
    for (std::uint16_t entry : ramp)
        tag.U16(entry);
    return tag.Data();
}

bool SameEncoding(const Xyz& a, const Xyz& b) {
    for (int i = 0; i < 3; ++i)
        if (std::lround(a[i] * 65536.0) != std::lround(b[i] * 65536.0))
            return false;
    return true;
}

void WriteHeader(Bytes& out, std::size_t size, const ProfileDate& date) {
    out.U32(static_cast<std::uint32_t>(size));
    out.U32(0);  // no preferred colour management module
    out.U32(kVersion24);
    out.Signature("mntr");
    out.Signature("RGB ");
    out.Signature("XYZ ");
    for (int part : {date.year, date.month, date.day, date.hour, date.minute, date.second})
        out.U16(static_cast<unsigned>(part));
    out.Signature("acsp");
    out.Signature("MSFT");
    out.U32(0);    // flags: not embedded, usable on its own
    out.Zeros(8);  // device manufacturer and model: unknown
    out.Zeros(8);  // attributes
    out.U32(0);    // rendering intent: perceptual
    for (double v : kD50)
        out.S15Fixed16(v);
    out.U32(0);                   // creator
    out.Zeros(kHeaderSize - 84);  // the profile ID (none in version 2) and the reserved bytes
}

}  // namespace

std::string BuildDisplayProfile(const DisplayProfileContents& contents) {
    const Xyz white = ToXyz(contents.colorimetry.white);
    const bool adapted = !SameEncoding(white, kD50);
    const Matrix3 adaptation = BradfordAdaptation(white, kD50);
    const std::array<Xyz, 3> colorants = AdaptedColorants(contents.colorimetry, adaptation);
    const std::string gamma = GammaTag(contents.gamma);

    std::vector<std::pair<const char*, std::string>> tags = {
        {"desc", DescriptionTag(contents.description)},
        {"cprt", TextTag(contents.copyright)},
        {"wtpt", XyzTag(white)},
        {"rXYZ", XyzTag(colorants[0])},
        {"gXYZ", XyzTag(colorants[1])},
        {"bXYZ", XyzTag(colorants[2])},
        {"rTRC", gamma},
        {"gTRC", gamma},
        {"bTRC", gamma},
    };
    if (adapted)
        tags.emplace_back("chad", MatrixTag(adaptation));
    tags.emplace_back("vcgt", CalibrationTag(contents.calibration));

    // The three equal curves share one copy of their data, as the format allows.
    Bytes data;
    std::vector<std::pair<std::size_t, std::size_t>> places;  // offset, size
    const std::size_t dataStart = kHeaderSize + 4 + kTagEntrySize * tags.size();
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::string& bytes = tags[i].second;
        if (i > 0 && bytes == tags[i - 1].second) {
            places.push_back(places.back());
            continue;
        }
        places.emplace_back(dataStart + data.Data().size(), bytes.size());
        data.Text(bytes);
        data.PadTo4();
    }

    Bytes profile;
    WriteHeader(profile, dataStart + data.Data().size(), contents.created);
    profile.U32(static_cast<std::uint32_t>(tags.size()));
    for (std::size_t i = 0; i < tags.size(); ++i) {
        profile.Text(std::string(tags[i].first, 4));
        profile.U32(static_cast<std::uint32_t>(places[i].first));
        profile.U32(static_cast<std::uint32_t>(places[i].second));
    }
    profile.Text(data.Data());
    return std::move(profile.Data());
}

ProfileDate DateOfDays(double days) {
    const double whole = std::floor(days);
    long long seconds = std::llround((days - whole) * 86400.0);
    long long z = static_cast<long long>(whole) - kDaysTo1970 + seconds / 86400;
    seconds %= 86400;
    // Days since 1970-01-01 to the civil date (proleptic Gregorian calendar).
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    ProfileDate date;
    date.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    date.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
    date.hour = static_cast<int>(seconds / 3600);
    date.minute = static_cast<int>(seconds / 60 % 60);
    date.second = static_cast<int>(seconds % 60);
    return date;
}

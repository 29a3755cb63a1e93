// The display profiles saved with a correction, read back by an independent reader (lcms2) and
// checked byte by byte against the ICC layout: the calibration table is the synthesised ramp,
// the colorants and white come from the monitor's EDID (or are sRGB's), the curves follow the
// target gamma.

#include <gtest/gtest.h>
#include <lcms2.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "fakes/FakeEngine.h"
#include "ramp/DisplayProfile.h"
#include "ramp/Displays.h"
#include "ramp/ProfileFile.h"

namespace {

constexpr double kDay = 46365.75;  // 2026-12-09 18:00

// An EDID 1.4 base block of a monitor with these primaries and white (ten-bit values as the
// VESA layout packs them), valid checksum.
std::string EdidWith(const double (&xy)[8]) {
    unsigned char block[128] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10, 0xAC,
                                0x79, 0x40, 0x4C, 0x33, 0x32, 0x30, 0x1E, 0x1D, 1,    4};
    block[20] = 0xB5;  // digital input, 10 bits per colour
    block[21] = 60;    // 60 x 34 cm
    block[22] = 34;
    for (int k = 0; k < 8; ++k) {
        const int v = static_cast<int>(xy[k] * 1024 + 0.5);
        block[25 + k / 4] |= static_cast<unsigned char>((v & 3) << (6 - 2 * (k % 4)));
        block[27 + k] = static_cast<unsigned char>(v >> 2);
    }
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i)
        sum += block[i];
    block[127] = static_cast<unsigned char>((256 - sum % 256) % 256);
    return std::string(reinterpret_cast<char*>(block), sizeof block);
}

std::uint32_t U32At(const std::string& b, std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])) << 24 |
           static_cast<unsigned char>(b[i + 1]) << 16 | static_cast<unsigned char>(b[i + 2]) << 8 |
           static_cast<unsigned char>(b[i + 3]);
}

struct Profile {
    explicit Profile(const std::string& bytes)
        : handle(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size()))) {}
    ~Profile() {
        if (handle)
            cmsCloseProfile(handle);
    }
    void ExpectXyz(cmsTagSignature tag, const Xyz& expected, double tolerance) const {
        const auto* xyz = static_cast<const cmsCIEXYZ*>(cmsReadTag(handle, tag));
        ASSERT_NE(xyz, nullptr) << std::hex << tag;
        EXPECT_NEAR(xyz->X, expected[0], tolerance) << std::hex << tag;
        EXPECT_NEAR(xyz->Y, expected[1], tolerance) << std::hex << tag;
        EXPECT_NEAR(xyz->Z, expected[2], tolerance) << std::hex << tag;
    }
    void ExpectColorants(const std::array<Xyz, 3>& expected, double tolerance) const {
        ExpectXyz(cmsSigRedColorantTag, expected[0], tolerance);
        ExpectXyz(cmsSigGreenColorantTag, expected[1], tolerance);
        ExpectXyz(cmsSigBlueColorantTag, expected[2], tolerance);
    }
    cmsHPROFILE handle;
};

class DisplayProfileTest : public FakeEngineTest {
protected:
    FakeMonitor& monitor = port.AddMonitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080});
    std::string ProfileNow(double gamma = 2.2) {
        if (Engine().DisplayCount() == 0)
            EnumDisplays();
        return DisplayProfileOf(0, gamma, kDay);
    }
};

// Published Bradford-adapted (D50) colorants of sRGB, of Adobe RGB (1998) and of Display P3.
constexpr std::array<Xyz, 3> kSrgbColorants{{{0.4360747, 0.2225045, 0.0139322},
                                             {0.3850649, 0.7168786, 0.0971045},
                                             {0.1430804, 0.0606169, 0.7141733}}};
constexpr std::array<Xyz, 3> kAdobeRgbColorants{{{0.6097559, 0.3111242, 0.0194811},
                                                 {0.2052401, 0.6256560, 0.0608902},
                                                 {0.1492240, 0.0632197, 0.7448387}}};
constexpr std::array<Xyz, 3> kDisplayP3Colorants{
    {{0.51512, 0.24120, -0.00105}, {0.29198, 0.69225, 0.04189}, {0.15710, 0.06657, 0.78407}}};

TEST_F(DisplayProfileTest, TheCalibrationTableIsTheSynthesisedRampForRandomCorrections) {
    std::mt19937 random(26);
    std::uniform_int_distribution<int> value(-100, 100), level(0, 255);
    for (int round = 0; round < 20; ++round) {
        TCorrection c;
        for (std::int32_t* field :
             {&c.Gamma, &c.GammaR, &c.GammaG, &c.GammaB, &c.Black, &c.BlackR, &c.BlackG, &c.BlackB,
              &c.White, &c.WhiteR, &c.WhiteG, &c.WhiteB, &c.BalanceR, &c.BalanceG, &c.BalanceB})
            *field = value(random) / (round % 3 + 1);
        for (int p = round % 4; p > 0; --p) {
            const int at = level(random);
            c.PointOn[at] = 1;
            c.Point[at] = value(random);
            c.PointR[at] = value(random);
        }
        EnumDisplays();
        Engine().Corrections[0] = c;
        const Ramp expected = Built(c);
        Profile profile(ProfileNow());
        ASSERT_NE(profile.handle, nullptr);
        EXPECT_EQ(Engine().Corrections[0], c);  // saving does not touch the record
        auto* const* curves =
            static_cast<cmsToneCurve* const*>(cmsReadTag(profile.handle, cmsSigVcgtTag));
        ASSERT_NE(curves, nullptr);
        for (int channel = 0; channel < 3; ++channel) {
            ASSERT_EQ(cmsGetToneCurveEstimatedTableEntries(curves[channel]), 256u);
            const cmsUInt16Number* table = cmsGetToneCurveEstimatedTable(curves[channel]);
            for (int i = 0; i < kRampLevels; ++i)
                ASSERT_EQ(table[i], RampEntry(expected, channel, i))
                    << "round " << round << " channel " << channel << " level " << i;
        }
    }
}

TEST_F(DisplayProfileTest, ADisplayProfileOfVersion24WithTheTargetGammaAndTheDisplaysName) {
    Profile profile(ProfileNow(1.8));
    ASSERT_NE(profile.handle, nullptr);
    EXPECT_EQ(cmsGetEncodedICCversion(profile.handle), 0x02400000u);
    EXPECT_EQ(cmsGetDeviceClass(profile.handle), cmsSigDisplayClass);
    EXPECT_EQ(cmsGetColorSpace(profile.handle), cmsSigRgbData);
    EXPECT_EQ(cmsGetPCS(profile.handle), cmsSigXYZData);
    EXPECT_EQ(cmsGetHeaderRenderingIntent(profile.handle),
              static_cast<cmsUInt32Number>(INTENT_PERCEPTUAL));
    struct tm created {};
    ASSERT_TRUE(cmsGetHeaderCreationDateTime(profile.handle, &created));
    EXPECT_EQ((std::vector<int>{created.tm_year + 1900, created.tm_mon + 1, created.tm_mday,
                                created.tm_hour}),
              (std::vector<int>{2026, 12, 9, 18}));
    char text[200] = {};
    cmsGetProfileInfoASCII(profile.handle, cmsInfoDescription, "en", "US", text, sizeof text);
    EXPECT_STREQ(text, "Tonecast Display 1 (Generic Non-PnP Monitor) 2026-12-09");
    EXPECT_GT(
        cmsGetProfileInfoASCII(profile.handle, cmsInfoCopyright, "en", "US", text, sizeof text),
        1u);
    for (cmsTagSignature tag : {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag}) {
        const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile.handle, tag));
        ASSERT_NE(curve, nullptr);
        EXPECT_EQ(cmsGetToneCurveParametricType(curve), 1);
        EXPECT_DOUBLE_EQ(cmsGetToneCurveParams(curve)[0], 461 / 256.0);  // 1.8 in 8.8 bits
    }
}

TEST_F(DisplayProfileTest, ColorantsAndWhiteComeFromTheMonitorsEdidOrAreSrgbs) {
    // No EDID (as under Wine), then one with a damaged checksum: sRGB, white D65, Bradford.
    for (const std::string& edid :
         {std::string(), [] {
              std::string damaged = EdidWith({0.68, 0.32, 0.265, 0.69, 0.15, 0.06, 0.3127, 0.329});
              damaged[127] = static_cast<char>(damaged[127] + 1);
              return damaged;
          }()}) {
        monitor.edid = edid;
        Profile profile(ProfileNow());
        profile.ExpectColorants(kSrgbColorants, 1e-3);
        profile.ExpectXyz(cmsSigMediaWhitePointTag, {0.9505, 1.0, 1.0891}, 1e-4);
        const auto* chad =
            static_cast<const double*>(cmsReadTag(profile.handle, cmsSigChromaticAdaptationTag));
        ASSERT_NE(chad, nullptr);
        const double bradfordD65ToD50[9] = {1.0478112,  0.0228866, -0.0501270,
                                            0.0295424,  0.9904844, -0.0170491,
                                            -0.0092345, 0.0150436, 0.7521316};
        for (int i = 0; i < 9; ++i)
            EXPECT_NEAR(chad[i], bradfordD65ToD50[i], 1e-3) << i;
    }
    // A wide-gamut monitor and a Display P3 one; ten bits per value cost up to 0.003.
    const struct {
        double xy[8];
        const std::array<Xyz, 3>& colorants;
    } monitors[] = {{{0.64, 0.33, 0.21, 0.71, 0.15, 0.06, 0.3127, 0.329}, kAdobeRgbColorants},
                    {{0.68, 0.32, 0.265, 0.69, 0.15, 0.06, 0.3127, 0.329}, kDisplayP3Colorants}};
    for (const auto& m : monitors) {
        monitor.edid = EdidWith(m.xy);
        Profile profile(ProfileNow());
        profile.ExpectColorants(m.colorants, 3e-3);
        // Full-scale RGB is the connection space's white.
        cmsHPROFILE xyz = cmsCreateXYZProfile();
        cmsHTRANSFORM toXyz = cmsCreateTransform(profile.handle, TYPE_RGB_DBL, xyz, TYPE_XYZ_DBL,
                                                 INTENT_RELATIVE_COLORIMETRIC, 0);
        ASSERT_NE(toXyz, nullptr);
        const double white[3] = {1, 1, 1};
        cmsCIEXYZ out{};
        cmsDoTransform(toXyz, white, &out, 1);
        EXPECT_NEAR(out.X, 0.9642, 2e-3);
        EXPECT_NEAR(out.Y, 1.0, 2e-3);
        EXPECT_NEAR(out.Z, 0.8249, 2e-3);
        cmsDeleteTransform(toXyz);
        cmsCloseProfile(xyz);
    }
}

// The layout itself, read as the ICC format describes it: the header, a tag table whose
// entries point inside the file at 4-byte boundaries, each tag's type, and zero padding.
TEST_F(DisplayProfileTest, TheBytesFollowTheIccLayout) {
    const std::string b = ProfileNow();
    ASSERT_GE(b.size(), 132u);
    EXPECT_EQ(U32At(b, 0), b.size());
    EXPECT_EQ(b.size() % 4, 0u);
    EXPECT_EQ(b.substr(8, 4), std::string("\x02\x40\x00\x00", 4));
    EXPECT_EQ(b.substr(12, 12), "mntrRGB XYZ ");
    EXPECT_EQ(b.substr(36, 4), "acsp");
    EXPECT_EQ(b.substr(68, 12),
              std::string("\x00\x00\xF6\xD6\x00\x01\x00\x00\x00\x00\xD3\x2D", 12));
    EXPECT_EQ(b.substr(84, 44), std::string(44, '\0'));  // no profile ID in version 2, reserved

    const std::vector<std::pair<std::string, std::string>> expectedTypes = {
        {"desc", "desc"}, {"cprt", "text"}, {"wtpt", "XYZ "}, {"rXYZ", "XYZ "},
        {"gXYZ", "XYZ "}, {"bXYZ", "XYZ "}, {"rTRC", "curv"}, {"gTRC", "curv"},
        {"bTRC", "curv"}, {"chad", "sf32"}, {"vcgt", "vcgt"}};
    const std::uint32_t count = U32At(b, 128);
    ASSERT_EQ(count, expectedTypes.size());
    std::string covered(b.size(), 0);  // which bytes a tag claims
    std::fill(covered.begin(), covered.begin() + 132 + 12 * count, 1);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 132 + 12 * i;
        const std::uint32_t offset = U32At(b, entry + 4), size = U32At(b, entry + 8);
        EXPECT_EQ(b.substr(entry, 4), expectedTypes[i].first);
        ASSERT_EQ(offset % 4, 0u) << expectedTypes[i].first;
        ASSERT_LE(offset + size, b.size());
        EXPECT_EQ(b.substr(offset, 4), expectedTypes[i].second);
        EXPECT_EQ(U32At(b, offset + 4), 0u);  // reserved
        std::fill(covered.begin() + offset, covered.begin() + offset + size, 1);
    }
    EXPECT_EQ(U32At(b, 132 + 12 * 10 + 8), 18u + 768 * 2);  // vcgt: 3 x 256 two-byte entries
    // Between and after the tags, at most three bytes of zeros to the next boundary.
    for (std::size_t i = 0, run = 0; i < b.size(); ++i) {
        run = covered[i] ? 0 : run + 1;
        ASSERT_TRUE(covered[i] || (b[i] == '\0' && run < 4)) << "padding at " << i;
    }
}

TEST(ColorimetryFromEdid, RefusesWhatIsNoEdidOrNamesNoUsablePrimaries) {
    const std::string good = EdidWith({0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.329});
    ASSERT_TRUE(ColorimetryFromEdid(good));
    EXPECT_NEAR(ColorimetryFromEdid(good)->green.y, 614 / 1024.0, 1e-12);
    std::string badHeader = good, shortBlock = good.substr(0, 127);
    badHeader[0] = 1;
    badHeader[127] = static_cast<char>(badHeader[127] - 1);
    EXPECT_FALSE(ColorimetryFromEdid(badHeader));
    EXPECT_FALSE(ColorimetryFromEdid(shortBlock));
    EXPECT_FALSE(ColorimetryFromEdid(EdidWith({0, 0, 0, 0, 0, 0, 0, 0})));
    // White outside the primaries' triangle.
    EXPECT_FALSE(ColorimetryFromEdid(EdidWith({0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.1, 0.8})));
}

}  // namespace

// Reads a display profile with lcms2, as colour-managed programs would, and checks it against
// the ramp file saved with it: a version 2.4 display profile whose calibration table ("vcgt")
// is the ramp the file's record synthesises, entry for entry, and whose three curves are the
// given gamma (in the 8.8 bits of the format).
//   profile-check PROFILE.icm RAMPFILE.lut GAMMA
#include <lcms2.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "ramp/RampFile.h"

namespace {

int Fail(const std::string& why) {
    std::cerr << "profile-check: " << why << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return Fail("usage: profile-check PROFILE.icm RAMPFILE.lut GAMMA");
    std::ifstream in(argv[2], std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    TCorrection c;
    std::string device;
    if (!ParseRampFile(bytes.str(), c, device))
        return Fail("not a ramp file");
    Ramp expected;
    BuildRamp(c, expected);

    cmsHPROFILE profile = cmsOpenProfileFromFile(argv[1], "r");
    if (!profile)
        return Fail("lcms2 cannot open the profile");
    if (cmsGetEncodedICCversion(profile) != 0x02400000 ||
        cmsGetDeviceClass(profile) != cmsSigDisplayClass)
        return Fail("not a version 2.4 display profile");
    auto* const* curves = static_cast<cmsToneCurve* const*>(cmsReadTag(profile, cmsSigVcgtTag));
    if (!curves)
        return Fail("no calibration table");
    for (int channel = 0; channel < 3; ++channel) {
        const cmsUInt16Number* table = cmsGetToneCurveEstimatedTable(curves[channel]);
        if (cmsGetToneCurveEstimatedTableEntries(curves[channel]) != kRampLevels)
            return Fail("the calibration table has not 256 entries");
        for (int i = 0; i < kRampLevels; ++i)
            if (table[i] != RampEntry(expected, channel, i))
                return Fail("calibration entry " + std::to_string(channel * 256 + i) + " is " +
                            std::to_string(table[i]) + ", not " +
                            std::to_string(RampEntry(expected, channel, i)));
    }
    const double gamma = std::round(std::atof(argv[3]) * 256) / 256;
    for (cmsTagSignature tag : {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag}) {
        const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(profile, tag));
        if (!curve || cmsGetToneCurveParametricType(curve) != 1 ||
            cmsGetToneCurveParams(curve)[0] != gamma)
            return Fail("a tone curve is not gamma " + std::string(argv[3]));
    }
    cmsCloseProfile(profile);
    std::cout << "ok: lcms2 reads the profile\n";
    return 0;
}

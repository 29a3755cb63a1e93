#include "win32/Win32ColorTransform.h"

namespace {

// The headers spell these as multi-character constants ('PSOC', 'sRGB').
constexpr DWORD kColorSpaceSignature = 0x50534F43;
constexpr LCSCSTYPE kSRgbType = 0x73524742;

LOGCOLORSPACEA SRgbColorSpace() {
    LOGCOLORSPACEA space{};
    space.lcsSignature = kColorSpaceSignature;
    space.lcsVersion = 0x400;
    space.lcsSize = sizeof(LOGCOLORSPACEA);
    space.lcsCSType = kSRgbType;
    space.lcsIntent = LCS_GM_GRAPHICS;
    return space;
}
static_assert(sizeof(LOGCOLORSPACEA) == 328);

}  // namespace

DisplayProfile::DisplayProfile(HDC dc) {
    char profileName[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!GetICMProfileA(dc, &size, profileName))
        return;
    PROFILE profile{};
    profile.dwType = PROFILE_FILENAME;
    profile.pProfileData = profileName;
    profile.cbDataSize = static_cast<DWORD>(lstrlenA(profileName) + 1);
    handle_ = OpenColorProfileA(&profile, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

DisplayProfile::~DisplayProfile() {
    if (handle_)
        CloseColorProfile(handle_);
}

ColorTransform::ColorTransform(HPROFILE display) {
    if (!display)
        return;
    LOGCOLORSPACEA source = SRgbColorSpace();
    handle_ = CreateColorTransformA(&source, display, nullptr, BEST_MODE | ENABLE_GAMUT_CHECKING);
}

ColorTransform::~ColorTransform() {
    if (handle_)
        DeleteColorTransform(handle_);
}

#include "win32/Win32ColorTransform.h"

namespace {

// The headers spell these as multi-character constants ('PSOC', 'sRGB').
constexpr DWORD kColorSpaceSignature = 0x50534F43;
constexpr LCSCSTYPE kSRgbType = 0x73524742;
constexpr DWORD kQuality = BEST_MODE | ENABLE_GAMUT_CHECKING;

LOGCOLORSPACEW SRgbColorSpace() {
    LOGCOLORSPACEW space{};
    space.lcsSignature = kColorSpaceSignature;
    space.lcsVersion = 0x400;
    space.lcsSize = sizeof(LOGCOLORSPACEW);
    space.lcsCSType = kSRgbType;
    space.lcsIntent = LCS_GM_GRAPHICS;
    return space;
}

// The ICC intent that the colour-space intent LCS_GM_GRAPHICS stands for.
constexpr DWORD kGraphicsIntent = INTENT_RELATIVE_COLORIMETRIC;

}  // namespace

ColorProfile::~ColorProfile() {
    if (handle_)
        CloseColorProfile(handle_);
}

std::wstring DisplayProfileName(HDC dc) {
    wchar_t name[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return GetICMProfileW(dc, &size, name) ? name : L"";
}

DisplayProfile::DisplayProfile(HDC dc) {
    std::wstring name = DisplayProfileName(dc);
    if (name.empty())
        return;
    PROFILE profile{};
    profile.dwType = PROFILE_FILENAME;
    profile.pProfileData = name.data();
    profile.cbDataSize = static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t));
    handle_ = OpenColorProfileW(&profile, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

MemoryProfile::MemoryProfile(std::string_view bytes) {
    PROFILE profile{};
    profile.dwType = PROFILE_MEMBUFFER;
    profile.pProfileData = const_cast<char*>(bytes.data());
    profile.cbDataSize = static_cast<DWORD>(bytes.size());
    handle_ = OpenColorProfileW(&profile, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

ColorTransform::ColorTransform(HPROFILE source, HPROFILE display) {
    if (!display)
        return;
    if (!source) {
        LOGCOLORSPACEW sRgb = SRgbColorSpace();
        handle_ = CreateColorTransformW(&sRgb, display, nullptr, kQuality);
        return;
    }
    HPROFILE pair[] = {source, display};
    DWORD intent = kGraphicsIntent;
    handle_ = CreateMultiProfileTransform(pair, 2, &intent, 1, kQuality, INDEX_DONT_CARE);
}

ColorTransform::~ColorTransform() {
    if (handle_)
        DeleteColorTransform(handle_);
}

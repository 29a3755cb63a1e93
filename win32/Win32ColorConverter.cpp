#include "win32/Win32ColorConverter.h"

#include "render/ColorConversion.h"

#include <windows.h>
// after windows.h
#include <icm.h>

namespace {

class Win32ColorConverter : public ColorConverter {
public:
    void ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) override;
    std::string ProfileOf(DeviceContext dc) override;
};

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

void Win32ColorConverter::ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) {
    if (bitmap.bitsPerPixel != 24 || bitmap.width <= 0 || bitmap.height <= 0)
        return;

    char profileName[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!GetICMProfileA(reinterpret_cast<HDC>(dc), &size, profileName))
        return;

    PROFILE profile{};
    profile.dwType = PROFILE_FILENAME;
    profile.pProfileData = profileName;
    profile.cbDataSize = static_cast<DWORD>(lstrlenA(profileName) + 1);
    HPROFILE display = OpenColorProfileA(&profile, PROFILE_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (!display)
        return;

    LOGCOLORSPACEA source = SRgbColorSpace();
    HTRANSFORM transform =
        CreateColorTransformA(&source, display, nullptr, BEST_MODE | ENABLE_GAMUT_CHECKING);
    if (transform) {
        // The rows hold blue, green, red, which is the memory order of BM_RGBTRIPLETS: they
        // are handed over as stored. One row at a time keeps the colour system's stride
        // rules (rows padded to 4 bytes) out of the way.
        for (int y = 0; y < bitmap.height; ++y) {
            std::uint8_t* row = bitmap.Row(y);
            TranslateBitmapBits(transform, row, BM_RGBTRIPLETS, static_cast<DWORD>(bitmap.width), 1,
                                0, row, BM_RGBTRIPLETS, 0, nullptr, 0);
        }
        DeleteColorTransform(transform);
    }
    CloseColorProfile(display);
}

std::string Win32ColorConverter::ProfileOf(DeviceContext dc) {
    char profileName[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!GetICMProfileA(reinterpret_cast<HDC>(dc), &size, profileName))
        return {};
    return profileName;
}

}  // namespace

void UseWin32ColorConverter() {
    static Win32ColorConverter converter;
    UseColorConverter(converter);
}

#include "win32/Win32ControlFonts.h"

#include <map>
#include <tuple>

#include "render/Canvas.h"
#include "win32/Win32Handles.h"

HFONT ControlFont(int points, bool bold, bool underline, int dpi) {
    static std::map<std::tuple<int, bool, bool>, GdiObject<HFONT>> fonts;
    // Points are 1/72 inch.
    const int height = -ScaledToDpi(points, dpi, 72);
    const auto key = std::make_tuple(height, bold, underline);
    auto found = fonts.find(key);
    if (found != fonts.end())
        return found->second.get();
    HFONT font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    fonts.emplace(key, GdiObject<HFONT>(font));
    return font;
}

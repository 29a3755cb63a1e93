#include "win32/Win32WindowBackground.h"

#include <cstdint>
#include <map>

#include "win32/Win32Color.h"
#include "win32/Win32Handles.h"

namespace {

constexpr const wchar_t* kBackgroundProperty = L"Tonecast.Background";
constexpr const wchar_t* kFollowsRootProperty = L"Tonecast.FollowsRoot";

}  // namespace

HBRUSH SolidBrush(Color color) {
    static std::map<COLORREF, GdiObject<HBRUSH>> brushes;
    const COLORREF key = ToColorRef(color);
    auto found = brushes.find(key);
    if (found != brushes.end())
        return found->second.get();
    HBRUSH brush = CreateSolidBrush(key);
    brushes.emplace(key, GdiObject<HBRUSH>(brush));
    return brush;
}

Color WindowBackground(HWND window) {
    if (GetPropW(window, kFollowsRootProperty))
        window = GetAncestor(window, GA_ROOT);
    const auto stored = reinterpret_cast<uintptr_t>(GetPropW(window, kBackgroundProperty));
    if (stored == 0)
        return kBlack;
    const COLORREF color = static_cast<COLORREF>(stored - 1);
    return Color{GetRValue(color), GetGValue(color), GetBValue(color)};
}

void FollowRootBackground(HWND window) {
    SetPropW(window, kFollowsRootProperty, reinterpret_cast<HANDLE>(1));
}

void SetWindowBackground(HWND window, Color color) {
    // Stored off by one so that black is told apart from "never set".
    SetPropW(window, kBackgroundProperty,
             reinterpret_cast<HANDLE>(static_cast<uintptr_t>(ToColorRef(color)) + 1));
}

void ForgetWindowBackground(HWND window) {
    RemovePropW(window, kBackgroundProperty);
    RemovePropW(window, kFollowsRootProperty);
}

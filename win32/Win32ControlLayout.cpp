#include "win32/Win32ControlLayout.h"

#include "render/Canvas.h"
#include "win32/Win32ControlBase.h"

Bounds BoundsInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MoveIfChanged(HWND window, const Bounds& b) {
    if (b != BoundsInParent(window))
        MoveWindow(window, b.left, b.top, b.width, b.height, TRUE);
}

void InvalidateIfShown(HWND window, const RECT* area, bool erase) {
    if (IsWindowVisible(window))
        InvalidateRect(window, area, erase);
}

Bounds ScaledBounds(const Bounds& b, int newDpi, int oldDpi) {
    return {ScaledToDpi(b.left, newDpi, oldDpi), ScaledToDpi(b.top, newDpi, oldDpi),
            ScaledToDpi(b.width, newDpi, oldDpi), ScaledToDpi(b.height, newDpi, oldDpi)};
}

Bounds Win32ControlBase::AnchoredBounds(const Bounds& b, int parentWidth, int parentHeight) const {
    if (align_ == Align::None)
        return b;
    return {0, align_ == Align::Top ? 0 : parentHeight - b.height, parentWidth, b.height};
}

void Win32ControlBase::OnParentResized(int parentWidth, int parentHeight) {
    MoveIfChanged(hwnd_, AnchoredBounds(BoundsInParent(hwnd_), parentWidth, parentHeight));
}

void Win32ControlBase::Scale(int newDpi, int oldDpi) {
    const Bounds b = ScaledBounds(BoundsInParent(hwnd_), newDpi, oldDpi);
    MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
    dpi_ = ScaledToDpi(dpi_, newDpi, oldDpi);
    ApplyFont();
    HWND parent = GetParent(hwnd_);
    RECT client{};
    GetClientRect(parent, &client);
    OnParentResized(client.right, client.bottom);
}

void LayOutAnchoredChildren(HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (auto* control = Win32ControlBase::FromHwnd(child))
            control->OnParentResized(client.right, client.bottom);
    }
}

namespace {
struct ScaleRequest {
    int newDpi, oldDpi;
};
BOOL CALLBACK ScaleOne(HWND window, LPARAM param) {
    const auto* request = reinterpret_cast<const ScaleRequest*>(param);
    if (auto* control = Win32ControlBase::FromHwnd(window))
        control->Scale(request->newDpi, request->oldDpi);
    return TRUE;
}
}  // namespace

void ScaleDescendants(HWND window, int newDpi, int oldDpi) {
    if (newDpi == oldDpi || oldDpi <= 0)
        return;
    ScaleRequest request{newDpi, oldDpi};
    EnumChildWindows(window, ScaleOne, reinterpret_cast<LPARAM>(&request));
}

#pragma once
// The portable colour as GDI's.

#include <windows.h>

#include "render/Canvas.h"

inline COLORREF ToColorRef(Color color) {
    return RGB(color.r, color.g, color.b);
}

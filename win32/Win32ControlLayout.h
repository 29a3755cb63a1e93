#pragma once
// Where the control wrappers stand in their parent: bounds in the parent's client
// coordinates, the bar's alignment after a resize and rescaling after a DPI change.

#include <windows.h>

#include "ui/Controls.h"

// `window`'s rectangle in its parent's client coordinates.
Bounds BoundsInParent(HWND window);
// Moving a window onto its own place still costs the window manager a round trip and the
// window a repaint: layouts repeat most bounds, so only a change reaches the window.
void MoveIfChanged(HWND window, const Bounds& b);
// Marks `area` of `window` (all of it for null) for repainting, while the window is on the
// screen: showing a window repaints all of it anyway, and under Wine every invalidation is a
// round trip to the Wine server, which the hidden window's layout at start would pay dozens of.
void InvalidateIfShown(HWND window, const RECT* area = nullptr, bool erase = true);
// `b`, meant for `oldDpi`, in pixels at `newDpi`.
Bounds ScaledBounds(const Bounds& b, int newDpi, int oldDpi);

// Moves every aligned or right-anchored child of `parent` after its client area changed.
void LayOutAnchoredChildren(HWND parent);

// Rescales every descendant of `window` that is one of our controls.
void ScaleDescendants(HWND window, int newDpi, int oldDpi);

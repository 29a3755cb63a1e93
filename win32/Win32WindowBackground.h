#pragma once
// The colour a window paints behind its transparent children (panels, the main window), kept
// as a window property, and the shared solid brushes the controls paint with.

#include <windows.h>

#include "render/Canvas.h"

void SetWindowBackground(HWND window, Color color);
// A panel that takes the colour of its top-level window rather than its own.
void FollowRootBackground(HWND window);
Color WindowBackground(HWND window);
// Removes what the two calls above stored on `window`.
void ForgetWindowBackground(HWND window);

// A solid brush of `color`, shared and kept for the life of the process.
HBRUSH SolidBrush(Color color);

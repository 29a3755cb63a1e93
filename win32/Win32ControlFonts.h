#pragma once
// The one typeface of the calibration window's controls and of its painted texts.

#include <windows.h>

// Tahoma at `points` for `dpi`; shared and kept for the life of the process.
HFONT ControlFont(int points, bool bold, bool underline, int dpi);

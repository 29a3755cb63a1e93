#pragma once
// The Reference Image page: a JPEG decoded, converted from sRGB to the selected display's
// colour profile, and drawn centred at its natural size.

#include <string>

#include "render/Canvas.h"

// Decodes, converts and draws the image at `path` centred on the selected display. Draws
// nothing when the file is missing or cannot be decoded.
void DrawReferenceImage(Canvas& canvas, const std::string& path);

#pragma once
// The Reference Image page: a JPEG decoded and turned upright, converted from its own colour
// profile (sRGB when it has none) to the selected display's, and drawn centred at its natural
// size; or one line saying why it cannot be.

#include <string>

#include "render/Canvas.h"
#include "render/JpegImage.h"

// The page's texts in the user's language. Each "%s" in order takes the file name, then the
// detail (the pixel limit in megapixels, the system's text).
struct ReferenceImageTexts {
    std::string damaged;      // not a JPEG, damaged or cut off
    std::string unsupported;  // CMYK, 12-bit and other kinds
    std::string tooLarge;     // %s: the limit
    std::string unreadable;   // %s: the system's text
    std::string noMemory;
    std::string notLocal;     // %s: the whole path, which names no file on a local disk
    Color color = Grey(128);  // the page's text colour
};

// The sentence for a failed decode of `path`; empty for a success or a missing file.
std::string ReferenceImageFailureText(const JpegResult& result, const std::string& path,
                                      const ReferenceImageTexts& texts);

// Draws the image at `path` centred on the selected display, on a window of clientWidth x
// clientHeight placed over that display. Only the part inside the window is decoded and
// converted, and the result is kept: the next paint draws it again without reading the file,
// until the file (size, write time), the display (device, size, colour profile) or the window
// size changes. A file that cannot be shown draws the reason instead, centred in the window
// font; a missing file draws nothing.
void DrawReferenceImage(Canvas& canvas, const std::string& path, int clientWidth, int clientHeight,
                        const ReferenceImageTexts& texts);

// Draws, instead of the image, the line saying that `path` is not opened (texts.notLocal).
void DrawReferenceImageRefusal(Canvas& canvas, const std::string& path,
                               const ReferenceImageTexts& texts);

// Whether the image at `path`, as the last paint drew it, carries a colour profile that could not
// be used, so that its colours were taken as sRGB; false before it is drawn.
bool ReferenceImageProfileUnusable(const std::string& path);

// Drops what the last paint kept (the next one decodes afresh).
void ForgetReferenceImage();

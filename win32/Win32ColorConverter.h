#pragma once
// The reference image's colour conversion through the Windows colour system (mscms).
//
// The program entry calls UseWin32ColorConverter() once at start-up, before the calibration
// window can paint; from then on DrawReferenceImage converts 24-bit images from sRGB to the
// profile of the selected display (the device context from the ramp engine's display list).

#include "render/ColorConversion.h"

class Win32ColorConverter : public ColorConverter {
public:
    // Unchanged when the bitmap is not 24-bit, the display reports no profile, the profile
    // cannot be opened or no transform can be made to it.
    void ConvertForDisplay(Bitmap& bitmap, DeviceContext dc) override;
};

// Installs a program-wide Win32ColorConverter as Colors().
void UseWin32ColorConverter();

#pragma once
// The reference image's colour conversion through the Windows colour system (mscms).
//
// The program entry calls UseWin32ColorConverter() once at start-up, before the calibration
// window can paint; from then on Colors() converts images from the profile their file carries
// (sRGB when none) to the profile of the display whose device context it is given
// (DrawReferenceImage passes the selected display's, from the ramp engine's display list). Each
// distinct colour of the image goes to the colour system once, spread over up to four threads for
// many colours; every pixel comes out as the colour system converts it on its own. A picture's
// profile that the colour system refuses gives way to sRGB. A display without a profile, a
// profile that cannot be opened or a transform that cannot be made leave the image unchanged,
// without a message.

void UseWin32ColorConverter();

#pragma once
// How a photograph is meant to be turned for viewing. Cameras and phones store the pixels as the
// sensor read them and record in the file's EXIF block how to turn them upright: 1 as stored,
// 2 mirrored left to right, 3 turned half a turn, 4 mirrored top to bottom, 5 mirrored along the
// diagonal from the top-left corner, 6 turned a quarter clockwise, 7 mirrored along the other
// diagonal, 8 turned a quarter counter-clockwise.

#include <string_view>

#include "render/Canvas.h"
#include "render/JpegImage.h"

// The orientation an APP1 segment's payload ("Exif\0\0" and a TIFF structure) records for its
// first image, 1 to 8; 1 for a payload that is not EXIF, records none, or is damaged. Every
// offset is checked against the payload's size.
int ExifOrientation(std::string_view app1);

// Whether the upright picture is the stored one turned by a quarter (its width the stored
// height).
bool OrientationSwapsSides(int orientation);

// The part of the stored pixels that shows as `upright` (a part of the upright picture, inside
// it) once turned; storedWidth x storedHeight is the size of the stored pixels.
JpegRect StoredPart(const JpegRect& upright, int orientation, int storedWidth, int storedHeight);

// The stored pixels turned upright: a new bitmap of the same depth. Orientation 1 gives a copy.
// Throws std::bad_alloc when there is no memory for it.
Bitmap TurnedUpright(const Bitmap& stored, int orientation);

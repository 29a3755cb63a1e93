#include "render/ReferenceImage.h"

#include "ramp/Displays.h"
#include "render/ColorConversion.h"
#include "render/JpegImage.h"

void DrawReferenceImage(Canvas& canvas, const std::string& path) {
    if (path.empty())
        return;  // names no file; not worth asking the file system
    // Centring needs a selected display; with none there is no window to show the image in.
    const DisplayState& engine = Engine();
    if (engine.CurrentDisplay < 0 || engine.CurrentDisplay >= engine.DisplayCount())
        return;

    // Decoded afresh on every paint, so a file replaced on disk or a changed display profile
    // shows at once. A missing or undecodable file leaves the page without an image.
    Bitmap bitmap;
    if (!LoadJpegFile(path, bitmap))
        return;
    if (bitmap.bitsPerPixel == 24)
        Colors().ConvertForDisplay(bitmap, engine.Displays[engine.CurrentDisplay].dc);
    canvas.DrawBitmap(CenterX(bitmap.width), CenterY(bitmap.height), bitmap);
}

#include "render/ReferenceImage.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "base/FileSystem.h"
#include "ramp/Displays.h"
#include "render/ColorConversion.h"

namespace {

// Everything a shown image depends on: a paint whose key equals the kept one draws the kept
// image, which is then exactly what decoding afresh would give.
struct ImageKey {
    std::string path;
    std::uint64_t size = 0, writeTime = 0;
    std::string device;
    ScreenRect display;
    std::string profile;
    int clientWidth = 0, clientHeight = 0;
    bool operator==(const ImageKey&) const = default;
};

// The outcome of the last decode: the converted visible part and where it goes, or the
// failure, so that a bad file is not read again on every paint either.
struct KeptImage {
    bool valid = false;
    ImageKey key;
    JpegResult result;
    Bitmap bitmap;
    int x = 0, y = 0;
    bool profileUnusable = false;  // the file's colour profile was replaced by sRGB
};

KeptImage& Kept() {
    static KeptImage kept;
    return kept;
}

// Replaces each "%s" of `format` in turn with the next of `values`; any other byte stays.
std::string Fill(const std::string& format, std::initializer_list<std::string> values) {
    std::string text;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' &&
            next != values.end()) {
            text += *next++;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void Decode(KeptImage& kept, const std::string& path, DeviceContext dc) {
    const int clientWidth = kept.key.clientWidth, clientHeight = kept.key.clientHeight;
    int x = 0, y = 0;
    // The image's top-left corner is centred on the display; the window covers columns
    // 0..clientWidth-1 and rows 0..clientHeight-1 of that placement.
    const JpegCropFor visible = [&](int width, int height) {
        x = CenterX(width);
        y = CenterY(height);
        return JpegRect{-x, -y, clientWidth - x, clientHeight - y};
    };
    kept.profileUnusable = false;
    kept.result = LoadJpegFile(path, kept.bitmap, visible);
    kept.x = x + kept.result.left;
    kept.y = y + kept.result.top;
    if (!kept.result)
        return;
    // A profile that cannot describe these pixels is known as such without the colour system.
    std::string_view profile = kept.result.iccProfile;
    if (!profile.empty() && !ProfileFitsImage(profile, kept.bitmap.bitsPerPixel)) {
        kept.profileUnusable = true;
        profile = {};
    }
    if (kept.bitmap.bitsPerPixel == 24 || !profile.empty())
        kept.profileUnusable |= !Colors().ConvertForDisplay(kept.bitmap, dc, profile);
    std::string().swap(kept.result.iccProfile);  // up to megabytes, of no use once converted
}

// One line in the window font, centred on the selected display.
void DrawCentredLine(Canvas& canvas, const std::string& line, Color color) {
    if (line.empty())
        return;
    int width = 0, height = 0;
    canvas.MeasureText(line, width, height);
    canvas.SetBrushColor(kBlack);  // the page's background
    canvas.SetFontColor(color);
    canvas.TextOut(CenterX(width), CenterY(height), line);
}

}  // namespace

std::string ReferenceImageFailureText(const JpegResult& result, const std::string& path,
                                      const ReferenceImageTexts& texts) {
    const std::string name = FileNamePart(path);
    switch (result.status) {
        case JpegStatus::kOk:
        case JpegStatus::kNoFile:
            return {};
        case JpegStatus::kCorrupt:
            return Fill(texts.damaged, {name});
        case JpegStatus::kUnsupported:
            return Fill(texts.unsupported, {name});
        case JpegStatus::kTooLarge:
            return Fill(texts.tooLarge, {name, std::to_string(kMaxJpegPixels / 1000000)});
        case JpegStatus::kUnreadable:
            return Fill(texts.unreadable, {name, result.message});
        case JpegStatus::kOutOfMemory:
            return Fill(texts.noMemory, {name});
    }
    return {};
}

void DrawReferenceImage(Canvas& canvas, const std::string& path, int clientWidth, int clientHeight,
                        const ReferenceImageTexts& texts) {
    if (path.empty())
        return;  // names no file; not worth asking the file system
    // Centring needs a selected display; with none there is no window to show the image in.
    const DisplayState& engine = Engine();
    if (engine.CurrentDisplay < 0 || engine.CurrentDisplay >= engine.DisplayCount())
        return;
    const TDisplay& display = engine.Displays[engine.CurrentDisplay];

    ImageKey key;
    key.path = path;
    if (!Files().FileStamp(path, key.size, key.writeTime)) {
        ForgetReferenceImage();
        return;  // no file: the page shows its background only
    }
    key.device = DisplayDeviceName(engine.CurrentDisplay);
    key.display = display.info.monitor;
    key.profile = Colors().ProfileOf(display.dc);
    key.clientWidth = clientWidth;
    key.clientHeight = clientHeight;

    KeptImage& kept = Kept();
    if (!kept.valid || !(kept.key == key)) {
        kept.valid = false;
        kept.bitmap = Bitmap{};  // its memory is free before the next decode takes its own
        kept.key = std::move(key);
        Decode(kept, path, display.dc);
        kept.valid = true;
    }
    if (kept.result) {
        canvas.DrawBitmap(kept.x, kept.y, kept.bitmap);
        return;
    }
    DrawCentredLine(canvas, ReferenceImageFailureText(kept.result, path, texts), texts.color);
}

void DrawReferenceImageRefusal(Canvas& canvas, const std::string& path,
                               const ReferenceImageTexts& texts) {
    ForgetReferenceImage();
    DrawCentredLine(canvas, Fill(texts.notLocal, {path}), texts.color);
}

bool ReferenceImageProfileUnusable(const std::string& path) {
    const KeptImage& kept = Kept();
    return kept.valid && kept.key.path == path && kept.profileUnusable;
}

void ForgetReferenceImage() {
    Kept() = KeptImage{};
}

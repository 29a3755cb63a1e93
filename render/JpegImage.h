#pragma once
// Decoding of JPEG files (the reference image) with libjpeg into a Bitmap: 24-bit colour
// files become blue-green-red rows, greyscale files 8-bit grey rows, with the accurate integer
// transform, turned upright as the file's EXIF orientation says, at full size or cropped to the
// part that will be seen. The colour profile the file carries comes with the pixels. Every failure
// comes back as a status: a damaged, cut-off or foreign file never ends the process and never
// leaves a half-filled bitmap behind.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "render/Canvas.h"

enum class JpegStatus {
    kOk,
    kNoFile,       // nothing at the path
    kUnreadable,   // the file exists but could not be read
    kCorrupt,      // not a JPEG, damaged or cut off
    kUnsupported,  // a JPEG of another kind (CMYK, YCCK, 12-bit, lossless, ...)
    kTooLarge,     // more pixels than kMaxJpegPixels
    kOutOfMemory,  // the decoder or the bitmap could not get its memory
};

struct JpegResult {
    JpegStatus status = JpegStatus::kOk;
    std::string message;  // libjpeg's own text, or ours, for whoever wants to know why
    // Known once the header is read: the whole upright image's size, and where in it the decoded
    // bitmap's top-left pixel lies.
    int imageWidth = 0, imageHeight = 0;
    int left = 0, top = 0;
    int orientation = 1;       // as the file's EXIF block says (see ImageOrientation.h)
    std::string iccProfile{};  // the ICC profile embedded in the file, whole; empty for none
    explicit operator bool() const { return status == JpegStatus::kOk; }
};

// Columns left..right-1 and rows top..bottom-1 of an image.
struct JpegRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// Given the upright image's full size, the part of it to decode (clipped to the image by the
// decoder; an empty part decodes no pixel and succeeds). Empty function: the whole image.
using JpegCropFor = std::function<JpegRect(int width, int height)>;

// The page decodes the image on every paint, and a JPEG header can claim up to 65500 x 65500
// pixels (12 GiB as a bitmap) in a few hundred bytes. Anything above 64 megapixels (2^26
// pixels, a 192 MiB colour bitmap, four times a large 8K photograph) is refused from its header,
// before any pixel memory is allocated.
constexpr std::int64_t kMaxJpegPixels = std::int64_t{1} << 26;

// Working memory libjpeg may take beyond the bitmap (whole-image coefficient buffers of
// progressive and multi-scan files); more makes the decode fail instead of swapping.
constexpr std::size_t kMaxJpegWorkingMemory = std::size_t{512} << 20;

// A JPEG file above 256 MiB (four bytes for each allowed pixel, more than any encoder spends
// on a picture of that size) is not read.
constexpr std::size_t kMaxJpegFileBytes = std::size_t{256} << 20;

struct JpegLimits {
    std::int64_t maxPixels = kMaxJpegPixels;
    std::size_t maxWorkingMemory = kMaxJpegWorkingMemory;
};

// Decodes a JPEG held in memory. On failure `bitmap` is left empty (0 x 0, no pixels).
// A cropped decode gives exactly the pixels of the full decode inside the crop, and fails
// exactly when the full decode fails: damage outside the crop is still found.
JpegResult DecodeJpeg(std::string_view bytes, Bitmap& bitmap, const JpegCropFor& cropFor = {},
                      const JpegLimits& limits = {});

// Reads the file through Files() and decodes it, with the same guarantee.
JpegResult LoadJpegFile(const std::string& path, Bitmap& bitmap, const JpegCropFor& cropFor = {});

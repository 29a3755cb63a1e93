#include "render/JpegImage.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "base/Errors.h"
#include "base/FileSystem.h"
#include "render/ImageOrientation.h"

namespace {

// libjpeg reports fatal errors through error_exit and expects it not to return; its default
// calls exit(). Ours jumps back to the decoding function with what went wrong.
struct ErrorManager {
    jpeg_error_mgr pub;  // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    JpegStatus status = JpegStatus::kCorrupt;
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    cinfo->err->format_message(cinfo, errors->message);
    switch (cinfo->err->msg_code) {
        case JERR_OUT_OF_MEMORY:
        case JERR_NO_BACKING_STORE:  // more working memory than kMaxJpegWorkingMemory
            errors->status = JpegStatus::kOutOfMemory;
            break;
        case JERR_BAD_PRECISION:    // 12-bit samples: the library is built for 8
        case JERR_SOF_UNSUPPORTED:  // lossless, hierarchical
            errors->status = JpegStatus::kUnsupported;
            break;
        default:
            errors->status = JpegStatus::kCorrupt;
    }
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns when image data is missing or undecodable and fills the rest of the image
// with grey: a file cut off and closed with an end marker, or damaged in its data, would then
// show as a half-grey photograph. Those warnings fail the decode; harmless ones (stray bytes
// between segments, unusual scan parameters) are tolerated as libjpeg does.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0)
        return;  // trace messages
    switch (cinfo->err->msg_code) {
        case JWRN_HIT_MARKER:     // "premature end of data segment"
        case JWRN_JPEG_EOF:       // "premature end of JPEG file"
        case JWRN_HUFF_BAD_CODE:  // "bad Huffman code"
        case JWRN_MUST_RESYNC:    // lost restart markers
            ErrorExit(cinfo);
        default:
            cinfo->err->num_warnings++;  // not written to stderr: the program has no console
    }
}

// The whole file is in memory from the start, so a request for more input means the data ended
// early. libjpeg's own memory source pads such a file with an end marker and decodes the rest
// as grey; a cut-off file is an error here.
void InitSource(j_decompress_ptr) {}
boolean FillInputBuffer(j_decompress_ptr cinfo) {
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}
void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0)
        return;
    jpeg_source_mgr* source = cinfo->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer)
        ERREXIT(cinfo, JERR_INPUT_EOF);
    source->next_input_byte += count;
    source->bytes_in_buffer -= static_cast<std::size_t>(count);
}
void TermSource(j_decompress_ptr) {}

// Owns the libjpeg objects for one decode and destroys them on every way out.
struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager errors;
    jpeg_source_mgr source{};
    std::vector<std::uint8_t> scratch;  // one decoded row, when it is wider than the crop
    JOCTET* iccProfile = nullptr;       // what jpeg_read_icc_profile allocated

    Decoder() {
        cinfo.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = ErrorExit;
        errors.pub.emit_message = EmitMessage;
    }
    ~Decoder() {
        jpeg_destroy_decompress(&cinfo);  // safe also when creation failed
        std::free(iccProfile);
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

// libjpeg-turbo 1.5 and later decode a band of columns and skip rows without decoding them
// into pixels; other libraries decode every row in full.
#if defined(LIBJPEG_TURBO_VERSION_NUMBER) && LIBJPEG_TURBO_VERSION_NUMBER >= 1005000
constexpr bool kCanCrop = true;
#else
constexpr bool kCanCrop = false;
#endif
// libjpeg-turbo 2.0 and later put an ICC profile split over several APP2 markers back together;
// with another library a file's profile is not read and its colours are taken as sRGB.
#if defined(LIBJPEG_TURBO_VERSION_NUMBER) && LIBJPEG_TURBO_VERSION_NUMBER >= 2000000
#define TONECAST_READS_ICC_PROFILES 1
#endif

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kIccMarker = JPEG_APP0 + 2;

int OrientationOf(j_decompress_ptr cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo->marker_list; m; m = m->next)
        if (m->marker == kExifMarker) {
            const int orientation = ExifOrientation(
                std::string_view(reinterpret_cast<const char*>(m->data), m->data_length));
            if (orientation != 1)
                return orientation;
        }
    return 1;
}

JpegRect Clipped(JpegRect r, int width, int height) {
    r.left = std::clamp(r.left, 0, width);
    r.right = std::clamp(r.right, r.left, width);
    r.top = std::clamp(r.top, 0, height);
    r.bottom = std::clamp(r.bottom, r.top, height);
    return r;
}

void SkipRows(Decoder& d, JDIMENSION rows) {
    if (rows == 0)
        return;
#if defined(LIBJPEG_TURBO_VERSION_NUMBER) && LIBJPEG_TURBO_VERSION_NUMBER >= 1005000
    jpeg_skip_scanlines(&d.cinfo, rows);
#else
    JSAMPROW row = d.scratch.data();
    for (JDIMENSION i = 0; i < rows; ++i)
        jpeg_read_scanlines(&d.cinfo, &row, 1);
#endif
}

bool OutputFormatFor(J_COLOR_SPACE source, J_COLOR_SPACE& output, int& bitsPerPixel) {
    switch (source) {
        case JCS_GRAYSCALE:
            output = JCS_GRAYSCALE;
            bitsPerPixel = 8;
            return true;
        case JCS_YCbCr:
        case JCS_RGB:
#ifdef JCS_EXTENSIONS
            output = JCS_EXT_BGR;  // the bitmap's byte order, straight from the decoder
#else
            output = JCS_RGB;
#endif
            bitsPerPixel = 24;
            return true;
        default:
            return false;
    }
}

void SwapRedAndBlue([[maybe_unused]] std::uint8_t* row, [[maybe_unused]] int width) {
#ifndef JCS_EXTENSIONS
    for (int x = 0; x < width; ++x)
        std::swap(row[3 * x], row[3 * x + 2]);
#endif
}

// Everything between setjmp and the last libjpeg call lives here. No object with a destructor
// may be created in this frame: a longjmp out of libjpeg would skip it. `bitmap` belongs to
// the caller, which clears it on failure.
JpegStatus RunDecoder(Decoder& d, std::string_view bytes, Bitmap& bitmap,
                      const JpegCropFor& cropFor, const JpegLimits& limits, JpegResult& result) {
    if (setjmp(d.errors.jump)) {
        result.message = d.errors.message;
        return d.errors.status;
    }
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = static_cast<long>(limits.maxWorkingMemory);

    d.source.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
    d.source.bytes_in_buffer = bytes.size();
    d.source.init_source = InitSource;
    d.source.fill_input_buffer = FillInputBuffer;
    d.source.skip_input_data = SkipInputData;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = TermSource;
    d.cinfo.src = &d.source;
    jpeg_save_markers(&d.cinfo, kExifMarker, 0xFFFF);
#ifdef TONECAST_READS_ICC_PROFILES
    jpeg_save_markers(&d.cinfo, kIccMarker, 0xFFFF);
#endif

    jpeg_read_header(&d.cinfo, TRUE);

    const std::int64_t pixels =
        std::int64_t{d.cinfo.image_width} * std::int64_t{d.cinfo.image_height};
    if (pixels > limits.maxPixels) {
        result.message = "The image has " + std::to_string(d.cinfo.image_width) + " x " +
                         std::to_string(d.cinfo.image_height) + " pixels, more than the " +
                         std::to_string(limits.maxPixels) + " allowed";
        return JpegStatus::kTooLarge;
    }
    int bitsPerPixel = 0;
    J_COLOR_SPACE output = JCS_UNKNOWN;
    if (!OutputFormatFor(d.cinfo.jpeg_color_space, output, bitsPerPixel)) {
        result.message = "Only colour (YCbCr, RGB) and greyscale JPEG files can be shown";
        return JpegStatus::kUnsupported;
    }
    result.orientation = OrientationOf(&d.cinfo);
#ifdef TONECAST_READS_ICC_PROFILES
    // A damaged set of markers (one missing, numbered twice) only warns and gives no profile.
    unsigned int iccSize = 0;
    if (jpeg_read_icc_profile(&d.cinfo, &d.iccProfile, &iccSize)) {
        try {
            result.iccProfile.assign(reinterpret_cast<const char*>(d.iccProfile), iccSize);
        } catch (const std::bad_alloc&) {
            result.message = "Not enough memory for the image's colour profile";
            return JpegStatus::kOutOfMemory;
        }
    }
#endif
    d.cinfo.out_color_space = output;
    d.cinfo.dct_method = JDCT_ISLOW;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = 1;

    jpeg_start_decompress(&d.cinfo);

    // The crop is asked for, and given back, in the upright picture; the decoder decodes the
    // stored pixels that turn into it.
    const int width = static_cast<int>(d.cinfo.output_width);
    const int height = static_cast<int>(d.cinfo.output_height);
    const bool swapped = OrientationSwapsSides(result.orientation);
    result.imageWidth = swapped ? height : width;
    result.imageHeight = swapped ? width : height;
    const JpegRect upright = cropFor ? Clipped(cropFor(result.imageWidth, result.imageHeight),
                                               result.imageWidth, result.imageHeight)
                                     : JpegRect{0, 0, result.imageWidth, result.imageHeight};
    result.left = upright.left;
    result.top = upright.top;
    const JpegRect crop = StoredPart(upright, result.orientation, width, height);
    bitmap.width = crop.right - crop.left;
    bitmap.height = crop.bottom - crop.top;
    bitmap.bitsPerPixel = bitsPerPixel;

    // The decoded band is wider than the crop by one MCU on each side (where the image goes on):
    // the chroma upsampling of a column reads its neighbours, so the crop's own columns come out
    // as in a full decode. libjpeg may widen the band further to MCU boundaries.
    const int bytesPerPixel = bitsPerPixel / 8;
    const int marginX = d.cinfo.max_h_samp_factor * DCTSIZE;
    const int marginY = d.cinfo.max_v_samp_factor * DCTSIZE;
    JDIMENSION bandLeft = 0, bandWidth = d.cinfo.output_width;
    if (kCanCrop && bitmap.width > 0 && bitmap.width < width) {
        bandLeft = static_cast<JDIMENSION>(std::max(0, crop.left - marginX));
        bandWidth = static_cast<JDIMENSION>(std::min(width, crop.right + marginX)) - bandLeft;
#if defined(LIBJPEG_TURBO_VERSION_NUMBER) && LIBJPEG_TURBO_VERSION_NUMBER >= 1005000
        jpeg_crop_scanline(&d.cinfo, &bandLeft, &bandWidth);
#endif
    }
    try {
        bitmap.pixels.assign(static_cast<std::size_t>(bitmap.Stride()) * bitmap.height, 0);
        d.scratch.assign(static_cast<std::size_t>(bandWidth) * bytesPerPixel, 0);
    } catch (const std::bad_alloc&) {
        result.message = "Not enough memory for the decoded image";
        return JpegStatus::kOutOfMemory;
    }

    // Rows above the crop are skipped, all but a margin that is decoded and dropped, so that
    // the upsampling of the crop's first row has the rows it reads.
    const int firstDecoded = std::max(0, crop.top - marginY);
    SkipRows(d, static_cast<JDIMENSION>(firstDecoded));
    const std::size_t offset = static_cast<std::size_t>(crop.left - static_cast<int>(bandLeft)) *
                               static_cast<std::size_t>(bytesPerPixel);
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.width) * bytesPerPixel;
    const int lastRow = bitmap.width > 0 ? crop.bottom : 0;
    while (static_cast<int>(d.cinfo.output_scanline) < lastRow) {
        const int y = static_cast<int>(d.cinfo.output_scanline);
        JSAMPROW row = d.scratch.data();
        jpeg_read_scanlines(&d.cinfo, &row, 1);
        if (y < crop.top)
            continue;
        std::uint8_t* target = bitmap.Row(y - crop.top);
        std::memcpy(target, d.scratch.data() + offset, rowBytes);
        if (bitsPerPixel == 24)
            SwapRedAndBlue(target, bitmap.width);
    }
    // The rest of the data is still read, and the last row decoded, so that a file damaged or
    // cut off below the crop fails as it does in a full decode.
    if (d.cinfo.output_scanline < d.cinfo.output_height) {
        SkipRows(d, d.cinfo.output_height - d.cinfo.output_scanline - 1);
        JSAMPROW row = d.scratch.data();
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    // Every row is decoded; what may follow the last scan is of no interest, so the decoder is
    // destroyed without jpeg_finish_decompress reading on to the end marker.
    return JpegStatus::kOk;
}

}  // namespace

JpegResult DecodeJpeg(std::string_view bytes, Bitmap& bitmap, const JpegCropFor& cropFor,
                      const JpegLimits& limits) {
    bitmap = Bitmap{};
    JpegResult result;
    {
        Decoder decoder;
        result.status = RunDecoder(decoder, bytes, bitmap, cropFor, limits, result);
    }
    if (result && result.orientation != 1) {
        try {
            bitmap = TurnedUpright(bitmap, result.orientation);
        } catch (const std::bad_alloc&) {
            result.status = JpegStatus::kOutOfMemory;
            result.message = "Not enough memory to turn the image upright";
        }
    }
    if (!result)
        bitmap = Bitmap{};
    return result;
}

JpegResult LoadJpegFile(const std::string& path, Bitmap& bitmap, const JpegCropFor& cropFor) {
    bitmap = Bitmap{};
    std::string bytes;
    try {
        if (!Files().ReadFile(path, bytes, kMaxJpegFileBytes))
            return {JpegStatus::kNoFile, "No file " + path};
    } catch (const InOutError& e) {
        return {JpegStatus::kUnreadable, e.what()};
    } catch (const std::bad_alloc&) {
        return {JpegStatus::kOutOfMemory, "Not enough memory to read " + path};
    }
    return DecodeJpeg(bytes, bitmap, cropFor);
}

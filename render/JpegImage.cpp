#include "render/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <utility>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "base/Errors.h"
#include "base/FileSystem.h"

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

    Decoder() {
        cinfo.err = jpeg_std_error(&errors.pub);
        errors.pub.error_exit = ErrorExit;
        errors.pub.emit_message = EmitMessage;
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }  // safe also when creation failed
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
};

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
JpegStatus RunDecoder(Decoder& d, std::string_view bytes, Bitmap& bitmap, std::string& message) {
    if (setjmp(d.errors.jump)) {
        message = d.errors.message;
        return d.errors.status;
    }
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.mem->max_memory_to_use = static_cast<long>(kMaxJpegWorkingMemory);

    d.source.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
    d.source.bytes_in_buffer = bytes.size();
    d.source.init_source = InitSource;
    d.source.fill_input_buffer = FillInputBuffer;
    d.source.skip_input_data = SkipInputData;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = TermSource;
    d.cinfo.src = &d.source;

    jpeg_read_header(&d.cinfo, TRUE);

    const std::int64_t pixels =
        std::int64_t{d.cinfo.image_width} * std::int64_t{d.cinfo.image_height};
    if (pixels > kMaxJpegPixels) {
        message = "The image has " + std::to_string(d.cinfo.image_width) + " x " +
                  std::to_string(d.cinfo.image_height) + " pixels, more than the " +
                  std::to_string(kMaxJpegPixels) + " allowed";
        return JpegStatus::kTooLarge;
    }
    int bitsPerPixel = 0;
    J_COLOR_SPACE output = JCS_UNKNOWN;
    if (!OutputFormatFor(d.cinfo.jpeg_color_space, output, bitsPerPixel)) {
        message = "Only colour (YCbCr, RGB) and greyscale JPEG files can be shown";
        return JpegStatus::kUnsupported;
    }
    d.cinfo.out_color_space = output;
    d.cinfo.dct_method = JDCT_ISLOW;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = 1;

    jpeg_start_decompress(&d.cinfo);

    bitmap.width = static_cast<int>(d.cinfo.output_width);
    bitmap.height = static_cast<int>(d.cinfo.output_height);
    bitmap.bitsPerPixel = bitsPerPixel;
    try {
        bitmap.pixels.assign(static_cast<std::size_t>(bitmap.Stride()) * bitmap.height, 0);
    } catch (const std::bad_alloc&) {
        message = "Not enough memory for the decoded image";
        return JpegStatus::kOutOfMemory;
    }
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = bitmap.Row(static_cast<int>(d.cinfo.output_scanline));
        jpeg_read_scanlines(&d.cinfo, &row, 1);
        if (bitsPerPixel == 24)
            SwapRedAndBlue(row, bitmap.width);
    }
    // Every row is decoded; what may follow the last scan is of no interest, so the decoder is
    // destroyed without jpeg_finish_decompress reading on to the end marker.
    return JpegStatus::kOk;
}

}  // namespace

JpegResult DecodeJpeg(std::string_view bytes, Bitmap& bitmap) {
    bitmap = Bitmap{};
    JpegResult result;
    {
        Decoder decoder;
        result.status = RunDecoder(decoder, bytes, bitmap, result.message);
    }
    if (!result)
        bitmap = Bitmap{};
    return result;
}

JpegResult LoadJpegFile(const std::string& path, Bitmap& bitmap) {
    bitmap = Bitmap{};
    std::string bytes;
    try {
        if (!Files().ReadFile(path, bytes))
            return {JpegStatus::kNoFile, "No file " + path};
    } catch (const InOutError& e) {
        return {JpegStatus::kUnreadable, e.what()};
    } catch (const std::bad_alloc&) {
        return {JpegStatus::kOutOfMemory, "Not enough memory to read " + path};
    }
    return DecodeJpeg(bytes, bitmap);
}

#pragma once
// Small JPEG files made in memory with libjpeg's compressor, for the decoding tests and the
// benchmark. Header-only so that the benchmark can include it too.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "render/Canvas.h"

struct JpegRecipe {
    int width = 16;
    int height = 16;
    J_COLOR_SPACE input = JCS_RGB;  // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    int quality = 100;
    bool progressive = false;
    bool fullChroma = true;  // 4:4:4; false keeps libjpeg's default 4:2:0
    // Colour at (x, y); greyscale files take the red value, CMYK files (r, g, b, 0).
    std::function<Color(int x, int y)> pixel = [](int, int) { return Color{}; };
    std::string exif{};        // an APP1 payload, written when not empty
    std::string iccProfile{};  // embedded over as many APP2 markers as it needs
};

// An EXIF block (APP1 payload) whose first image directory holds `entries` before the
// orientation, which is written as a short of `orientation`.
inline std::string ExifBlock(int orientation, bool bigEndian = false, int entries = 0) {
    std::string tiff =
        bigEndian ? std::string("MM\0\x2A\0\0\0\x08", 8) : std::string("II\x2A\0\x08\0\0\0", 8);
    auto put = [&](unsigned value, int size) {
        for (int i = 0; i < size; ++i)
            tiff += static_cast<char>(value >> (8 * (bigEndian ? size - 1 - i : i)));
    };
    put(static_cast<unsigned>(entries + 1), 2);
    for (int i = 0; i < entries; ++i) {
        put(0x010F + i, 2), put(3, 2), put(1, 4), put(0, 4);  // some other short tags first
    }
    put(0x0112, 2), put(3, 2), put(1, 4), put(static_cast<unsigned>(orientation), 2), put(0, 2);
    put(0, 4);  // no next directory
    return std::string("Exif\0\0", 6) + tiff;
}

inline std::string EncodeJpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    const int components = recipe.input == JCS_GRAYSCALE ? 1 : recipe.input == JCS_CMYK ? 4 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
    cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
    cinfo.input_components = components;
    cinfo.in_color_space = recipe.input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.fullChroma)
        for (int c = 0; c < cinfo.num_components; ++c)
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    if (recipe.progressive)
        jpeg_simple_progression(&cinfo);

    jpeg_start_compress(&cinfo, TRUE);
    if (!recipe.exif.empty())
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1,
                          reinterpret_cast<const JOCTET*>(recipe.exif.data()),
                          static_cast<unsigned>(recipe.exif.size()));
    if (!recipe.iccProfile.empty())
        jpeg_write_icc_profile(&cinfo, reinterpret_cast<const JOCTET*>(recipe.iccProfile.data()),
                               static_cast<unsigned>(recipe.iccProfile.size()));
    std::vector<JSAMPLE> row(static_cast<size_t>(recipe.width) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < recipe.width; ++x) {
            const Color c = recipe.pixel(x, y);
            JSAMPLE* p = &row[static_cast<size_t>(x) * components];
            p[0] = c.r;
            if (components >= 3)
                p[1] = c.g, p[2] = c.b;
            if (components == 4)
                p[3] = 0;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

// Rewrites the frame size in the file's start-of-frame header, leaving the data as it is.
inline std::string WithFrameSize(std::string bytes, int width, int height) {
    for (size_t i = 0; i + 9 < bytes.size(); ++i) {
        const auto marker = static_cast<unsigned char>(bytes[i + 1]);
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            bytes[i + 5] = static_cast<char>(height >> 8);
            bytes[i + 6] = static_cast<char>(height & 0xFF);
            bytes[i + 7] = static_cast<char>(width >> 8);
            bytes[i + 8] = static_cast<char>(width & 0xFF);
            return bytes;
        }
    }
    return bytes;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include <jpeglib.h>

// How a test picture is compressed by libjpeg. Zero sampling keeps libjpeg's
// default for the stored colour space.
struct JpegSettings {
    int width = 16, height = 16;
    J_COLOR_SPACE input = JCS_RGB;
    int components = 3;
    J_COLOR_SPACE stored = JCS_UNKNOWN;  // unknown: libjpeg's choice for `input`
    int quality = 75;                    // libjpeg's default
    int hSampling = 0, vSampling = 0;    // of the first component; the others then take 1 x 1
    bool progressive = false;
    int restartRows = 0;
    bool arithmetic = false;
};

// Fills row `y` of the picture, `components` bytes a pixel.
using JpegRowSource = std::function<void(int y, std::span<std::uint8_t> row)>;

// A JPEG file written by the system's libjpeg.
inline std::vector<std::uint8_t> CompressJpeg(const JpegSettings& how, const JpegRowSource& fillRow) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(how.width);
    cinfo.image_height = static_cast<JDIMENSION>(how.height);
    cinfo.input_components = how.components;
    cinfo.in_color_space = how.input;
    jpeg_set_defaults(&cinfo);
    if (how.stored != JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, how.stored);
    jpeg_set_quality(&cinfo, how.quality, TRUE);
    if (how.hSampling > 0 && how.vSampling > 0) {
        cinfo.comp_info[0].h_samp_factor = how.hSampling;
        cinfo.comp_info[0].v_samp_factor = how.vSampling;
        for (int c = 1; c < cinfo.num_components; ++c)
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (how.progressive) jpeg_simple_progression(&cinfo);
    cinfo.restart_in_rows = how.restartRows;
    cinfo.arith_code = how.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(how.width) * static_cast<std::size_t>(how.components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(static_cast<int>(cinfo.next_scanline), row);
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

#include "io/JpegReader.h"

// jpeglib.h needs size_t and FILE declared first.
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "core/EditorError.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

namespace jpeg {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// Throwing a C++ exception through libjpeg's C frames is undefined, so
// error_exit jumps back to the setjmp in the one small function that called
// into libjpeg; that function holds nothing with a destructor, and the
// caller turns the failure into an exception after libjpeg is cleaned up.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (corrupt or truncated data that libjpeg can pad over) are
// accepted: the picture is shown as far as it decodes, with libjpeg's grey
// for the rest, as other programs do. Nothing is printed.
void OutputMessage(j_common_ptr) {}

// A progressive file may hold any number of scans, each of which costs a
// pass over the whole coefficient buffer; a few hundred bytes of a hostile
// file could keep the decoder busy for minutes. Real files have about ten.
constexpr long MaxScans = 1000;

void CheckProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > MaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "too many scans in a progressive JPEG file");
        std::longjmp(err->jump, 1);
    }
}

bool Create(jpeg_decompress_struct* cinfo, ErrorManager* err) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    return true;
}

// Reads the header; false when libjpeg gave up.
bool ReadHeader(jpeg_decompress_struct* cinfo, ErrorManager* err, const std::uint8_t* data, unsigned long size) {
    if (setjmp(err->jump)) return false;
    jpeg_mem_src(cinfo, data, size);
    return jpeg_read_header(cinfo, TRUE) == JPEG_HEADER_OK;
}

// Where decoded rows go: one row of output components at a time.
struct RowSink {
    void (*take)(RowSink* sink, int y, const std::uint8_t* row);
    std::uint8_t* row;  // room for one row
};

// Colour samples are upsampled from their neighbours, so the decoded columns
// reach this far past the kept ones (one MCU of the widest sampling libjpeg
// smooths): the last kept column is then computed as in the whole picture.
constexpr JDIMENSION CropMargin = 16;

// Decodes the top `rows` rows into the sink, columns 0 to `columns` at
// least; `width` and `height` are the size checked after the header. The rows
// below are never decoded, and faults in their data go unseen.
bool ReadImage(jpeg_decompress_struct* cinfo, ErrorManager* err, RowSink* sink, std::size_t components,
               JDIMENSION width, JDIMENSION height, JDIMENSION columns, JDIMENSION rows) {
    if (setjmp(err->jump)) return false;
    jpeg_start_decompress(cinfo);
    // libjpeg must not change the size checked after the header.
    if (cinfo->output_width != width || cinfo->output_height != height ||
        static_cast<std::size_t>(cinfo->output_components) != components) {
        std::snprintf(err->message, sizeof err->message, "unexpected JPEG output size");
        return false;
    }
    if (columns + CropMargin < width) {
        JDIMENSION left = 0, decoded = columns + CropMargin;
        jpeg_crop_scanline(cinfo, &left, &decoded);
        if (left != 0 || cinfo->output_width < columns) {
            std::snprintf(err->message, sizeof err->message, "unexpected JPEG crop");
            return false;
        }
    }
    while (cinfo->output_scanline < rows) {
        const int y = static_cast<int>(cinfo->output_scanline);
        JSAMPROW row = sink->row;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
            std::snprintf(err->message, sizeof err->message, "JPEG data end too early");
            return false;
        }
        sink->take(sink, y, sink->row);
    }
    if (cinfo->output_scanline < cinfo->output_height)
        jpeg_abort_decompress(cinfo);
    else
        jpeg_finish_decompress(cinfo);
    return true;
}

// Frees libjpeg's memory on every path out of Decode.
struct Decompressor {
    jpeg_decompress_struct cinfo{};
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
};

canvas::Colour FromCmyk(int c, int m, int y, int k, bool inverted) {
    // Adobe writes CMYK inverted (0 = full ink); plain CMYK files don't.
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return canvas::Rgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

}  // namespace

canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth, int keepHeight) {
    ErrorManager err{};
    Decompressor d;
    d.cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = &ErrorExit;
    err.pub.output_message = &OutputMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = &CheckProgress;
    if (!Create(&d.cinfo, &err)) throw PictureReadError(std::string("JPEG: ") + err.message);
    d.cinfo.progress = &progress;
    // libjpeg holds its working buffers within this budget or fails cleanly.
    d.cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;

    if (file.empty() || !ReadHeader(&d.cinfo, &err, file.data(), static_cast<unsigned long>(file.size())))
        throw PictureReadError(std::string("JPEG: ") + (file.empty() ? "empty file" : err.message));

    const bool cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    d.cinfo.quantize_colors = FALSE;
    d.cinfo.scale_num = 1;
    d.cinfo.scale_denom = 1;
    const std::int64_t width = d.cinfo.image_width;
    const std::int64_t height = d.cinfo.image_height;
    if (!picture_limits::Acceptable(width, height))
        throw PictureReadError("JPEG: picture size " + std::to_string(width) + "x" + std::to_string(height) +
                               " not accepted");

    // Rows go straight into the picture: no second copy of the whole image.
    struct PictureSink : RowSink {
        canvas::Picture* picture;
        std::vector<canvas::Colour>* colours;
        bool cmyk, inverted;
    };
    const int keptWidth = static_cast<int>(std::clamp<std::int64_t>(keepWidth, 1, width));
    const int keptHeight = static_cast<int>(std::clamp<std::int64_t>(keepHeight, 1, height));
    canvas::Picture picture(keptWidth, keptHeight);
    const std::size_t components = cmyk ? 4 : 3;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * components);
    std::vector<canvas::Colour> colours(static_cast<std::size_t>(keptWidth));
    PictureSink sink;
    sink.row = row.data();
    sink.picture = &picture;
    sink.colours = &colours;
    sink.cmyk = cmyk;
    // Adobe's CMYK files, the usual ones, store inverted ink values.
    sink.inverted = d.cinfo.saw_Adobe_marker;
    sink.take = [](RowSink* base, int y, const std::uint8_t* src) {
        auto* s = static_cast<PictureSink*>(base);
        for (canvas::Colour& c : *s->colours) {
            c = s->cmyk ? FromCmyk(src[0], src[1], src[2], src[3], s->inverted) : canvas::Rgb(src[0], src[1], src[2]);
            src += s->cmyk ? 4 : 3;
        }
        s->picture->SetRow(y, *s->colours);
    };
    if (!ReadImage(&d.cinfo, &err, &sink, components, static_cast<JDIMENSION>(width),
                   static_cast<JDIMENSION>(height), static_cast<JDIMENSION>(keptWidth),
                   static_cast<JDIMENSION>(keptHeight)))
        throw EditorError(std::string("JPEG のデータが壊れています（") + err.message + "）");
    picture.ClearDirty();
    return picture;
}

}  // namespace jpeg

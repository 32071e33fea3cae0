// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PictureReaders.h"

// jpeglib.h needs size_t and FILE declared first.
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"

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
    PictureReadReason reason = PictureReadReason::FaultyData;
    int systemError = 0;
    bool cutShort = false;  // data needed for the rows decoded lie past the end of the file
    char cutMessage[JMSG_LENGTH_MAX];
};

ErrorManager& ErrorsOf(j_common_ptr cinfo) { return *reinterpret_cast<ErrorManager*>(cinfo->err); }

[[noreturn]] void Stop(j_common_ptr cinfo, PictureReadReason reason, const char* message) {
    ErrorManager& err = ErrorsOf(cinfo);
    err.reason = reason;
    std::snprintf(err.message, sizeof err.message, "%s", message);
    std::longjmp(err.jump, 1);
}

void ErrorExit(j_common_ptr cinfo) {
    ErrorManager& err = ErrorsOf(cinfo);
    (*cinfo->err->format_message)(cinfo, err.message);
    // libjpeg's memory manager fails within the budget below: the picture is
    // too large, its data may be fine.
    const int code = cinfo->err->msg_code;
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) err.reason = PictureReadReason::TooLarge;
    std::longjmp(err.jump, 1);
}

// Warnings (corrupt data that libjpeg can pad over) are accepted: the
// picture is shown as far as it decodes, as other programs do, and nothing is
// printed. Only data missing because the file ends are remembered.
void EmitMessage(j_common_ptr cinfo, int level);

// The file reaches libjpeg in chunks read as it asks for them: the header
// first, and no more than the rows decoded need.
struct FileSource {
    jpeg_source_mgr pub;
    ByteSource* file;
    std::size_t next = 0;  // where the next chunk starts
    bool ranOut = false;   // libjpeg asked for bytes past the end
    static constexpr std::size_t Chunk = 64 * 1024;
    static constexpr JOCTET EndMarker[2] = {0xFF, JPEG_EOI};

    // A read that fails reports through `err`, never by throwing through
    // libjpeg.
    bool TryRead(std::span<const std::uint8_t>& bytes, ErrorManager& err) noexcept {
        try {
            bytes = file->ReadAtMost(next, Chunk);
            return true;
        } catch (const PictureReadError& e) {
            err.reason = e.Reason();
            err.systemError = e.SystemError();
            std::snprintf(err.message, sizeof err.message, "%s", e.what());
        } catch (const std::exception& e) {
            err.reason = PictureReadReason::TooLarge;
            std::snprintf(err.message, sizeof err.message, "%s", e.what());
        }
        return false;
    }
};

void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    ++cinfo->err->num_warnings;
    ErrorManager& err = ErrorsOf(cinfo);
    const auto* src = reinterpret_cast<const FileSource*>(reinterpret_cast<j_decompress_ptr>(cinfo)->src);
    // The entropy decoder ran into the end marker put after a file that
    // ended: the rest of the blocks it decodes come out grey.
    if (cinfo->err->msg_code == JWRN_HIT_MARKER && src && src->ranOut && !err.cutShort) {
        err.cutShort = true;
        (*cinfo->err->format_message)(cinfo, err.cutMessage);
    }
}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
    auto* src = reinterpret_cast<FileSource*>(cinfo->src);
    std::span<const std::uint8_t> bytes;
    if (!src->TryRead(bytes, ErrorsOf(reinterpret_cast<j_common_ptr>(cinfo))))
        std::longjmp(ErrorsOf(reinterpret_cast<j_common_ptr>(cinfo)).jump, 1);
    if (bytes.empty()) {
        // As libjpeg's own sources do: an end marker, so that it stops.
        src->ranOut = true;
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->pub.next_input_byte = FileSource::EndMarker;
        src->pub.bytes_in_buffer = 2;
        return TRUE;
    }
    src->next += bytes.size();
    src->pub.next_input_byte = bytes.data();
    src->pub.bytes_in_buffer = bytes.size();
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    auto* src = reinterpret_cast<FileSource*>(cinfo->src);
    const auto skip = static_cast<std::size_t>(count);
    if (skip <= src->pub.bytes_in_buffer) {
        src->pub.next_input_byte += skip;
        src->pub.bytes_in_buffer -= skip;
        return;
    }
    // Skipped bytes beyond the buffer are never read.
    src->next += skip - src->pub.bytes_in_buffer;
    src->pub.next_input_byte = nullptr;
    src->pub.bytes_in_buffer = 0;
}

// Scans beyond the budget are stopped as they start, before libjpeg passes
// them over the picture's blocks.
struct ScanBudget {
    jpeg_progress_mgr pub;
    int scan = 0;
    std::int64_t blocks = 0;
};

void CheckProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* budget = reinterpret_cast<ScanBudget*>(cinfo->progress);
    if (!d->is_decompressor || d->input_scan_number == budget->scan) return;
    budget->scan = d->input_scan_number;
    if (budget->scan > MaxScans) Stop(cinfo, PictureReadReason::TooLarge, "too many scans in a JPEG file");
    for (int i = 0; i < d->comps_in_scan; ++i)
        budget->blocks += std::int64_t{d->cur_comp_info[i]->width_in_blocks} * d->cur_comp_info[i]->height_in_blocks;
    if (budget->blocks > MaxScanBlocks) Stop(cinfo, PictureReadReason::TooLarge, "JPEG scans pass too many blocks");
}

bool Create(jpeg_decompress_struct* cinfo, ErrorManager* err) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    return true;
}

// Reads and checks the header; false when libjpeg gave up or the picture is
// refused (err says why).
bool ReadHeader(jpeg_decompress_struct* cinfo, ErrorManager* err) {
    err->reason = PictureReadReason::NotAPicture;
    if (setjmp(err->jump)) return false;
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
    const std::int64_t width = cinfo->image_width, height = cinfo->image_height;
    if (!picture_limits::Acceptable(width, height)) {
        std::snprintf(err->message, sizeof err->message, "picture size %lldx%lld not accepted",
                      static_cast<long long>(width), static_cast<long long>(height));
        return false;
    }
    if (jpeg_has_multiple_scans(cinfo)) {
        // The whole picture's coefficients, 64 of 2 bytes a block, in
        // blocks padded to whole MCUs as libjpeg allocates them.
        std::int64_t bytes = 0;
        for (int i = 0; i < cinfo->num_components; ++i) {
            const jpeg_component_info& c = cinfo->comp_info[i];
            const std::int64_t w = (std::int64_t{c.width_in_blocks} + c.h_samp_factor - 1) / c.h_samp_factor;
            const std::int64_t h = (std::int64_t{c.height_in_blocks} + c.v_samp_factor - 1) / c.v_samp_factor;
            bytes += w * c.h_samp_factor * h * c.v_samp_factor * DCTSIZE2 * static_cast<std::int64_t>(sizeof(JCOEF));
        }
        if (bytes > MaxCoefficientBytes) {
            err->reason = PictureReadReason::TooLarge;
            std::snprintf(err->message, sizeof err->message,
                          "a %lldx%lld JPEG file of several scans needs %lld MiB of coefficients",
                          static_cast<long long>(width), static_cast<long long>(height),
                          static_cast<long long>(bytes >> 20));
            return false;
        }
    }
    err->reason = PictureReadReason::FaultyData;
    return true;
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
// least; `width` and `height` are the output size computed beforehand. The
// rows below are never decoded, and faults in their data go unseen.
bool ReadImage(jpeg_decompress_struct* cinfo, ErrorManager* err, RowSink* sink, std::size_t components,
               JDIMENSION width, JDIMENSION height, JDIMENSION columns, JDIMENSION rows, JDIMENSION rowStep) {
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
        // Rows between those taken are skipped: libjpeg then leaves out
        // their upsampling and colour conversion, and most of their IDCT.
        if (rowStep > 1 && cinfo->output_scanline < rows)
            jpeg_skip_scanlines(cinfo, std::min(rowStep - 1, rows - cinfo->output_scanline));
    }
    if (cinfo->output_scanline < cinfo->output_height)
        jpeg_abort_decompress(cinfo);
    else
        jpeg_finish_decompress(cinfo);
    return true;
}

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

// One decode: libjpeg set up over the file, the header read and checked.
// Frees libjpeg's memory on every path out.
class Decoder {
public:
    explicit Decoder(ByteSource& file) {
        cinfo_.err = jpeg_std_error(&err_.pub);
        err_.pub.error_exit = &ErrorExit;
        err_.pub.emit_message = &EmitMessage;
        budget_.pub.progress_monitor = &CheckProgress;
        if (!Create(&cinfo_, &err_)) Fail();
        lib_.cinfo = &cinfo_;
        cinfo_.progress = &budget_.pub;
        // libjpeg holds its working buffers within this or fails cleanly
        // (as too large); the budget checked after the header comes first.
        cinfo_.mem->max_memory_to_use = static_cast<long>(MaxCoefficientBytes + (std::int64_t{24} << 20));
        source_.file = &file;
        source_.pub.init_source = [](j_decompress_ptr) {};
        source_.pub.fill_input_buffer = &FillInputBuffer;
        source_.pub.skip_input_data = &SkipInputData;
        source_.pub.resync_to_restart = &jpeg_resync_to_restart;
        source_.pub.term_source = [](j_decompress_ptr) {};
        cinfo_.src = &source_.pub;
        if (file.Size() == 0) throw PictureReadError("JPEG: empty file");
        if (!ReadHeader(&cinfo_, &err_)) Fail();
        cmyk_ = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
        cinfo_.out_color_space = cmyk_ ? JCS_CMYK : JCS_RGB;
        cinfo_.quantize_colors = FALSE;
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    jpeg_decompress_struct& Info() { return cinfo_; }

    // Decodes the top `rows` rows at 1/denominator of the size, columns 0 to
    // `columns` at least, handing each row's colours to `take`; of every
    // `rowStep` rows only the first.
    template <typename Take>
    void Read(int denominator, int columns, int rows, Take take, int rowStep = 1) {
        cinfo_.scale_num = 1;
        cinfo_.scale_denom = static_cast<unsigned>(denominator);
        jpeg_calc_output_dimensions(&cinfo_);
        const std::size_t components = cmyk_ ? 4 : 3;
        struct Sink : RowSink {
            Take* handler;
            std::vector<canvas::Colour> colours;
            bool cmyk, inverted;
        } sink;
        std::vector<std::uint8_t> row(std::size_t{cinfo_.output_width} * components);
        sink.row = row.data();
        sink.handler = &take;
        sink.colours.resize(static_cast<std::size_t>(std::min<JDIMENSION>(cinfo_.output_width, columns)));
        sink.cmyk = cmyk_;
        // Adobe's CMYK files, the usual ones, store inverted ink values.
        sink.inverted = cinfo_.saw_Adobe_marker;
        sink.RowSink::take = [](RowSink* base, int y, const std::uint8_t* src) {
            auto* s = static_cast<Sink*>(base);
            for (canvas::Colour& c : s->colours) {
                c = s->cmyk ? FromCmyk(src[0], src[1], src[2], src[3], s->inverted)
                            : canvas::Rgb(src[0], src[1], src[2]);
                src += s->cmyk ? 4 : 3;
            }
            (*s->handler)(y, s->colours);
        };
        if (!ReadImage(&cinfo_, &err_, &sink, components, cinfo_.output_width, cinfo_.output_height,
                       static_cast<JDIMENSION>(columns), static_cast<JDIMENSION>(rows),
                       static_cast<JDIMENSION>(rowStep)))
            Fail();
    }

    // The file ended inside the data of the rows decoded.
    bool CutShort() const { return err_.cutShort; }
    [[noreturn]] void FailCutShort() const { throw PictureReadError(err_.cutMessage, PictureReadReason::FaultyData); }

private:
    [[noreturn]] void Fail() const {
        std::string text = err_.message;
        if (err_.reason == PictureReadReason::NotAPicture || err_.reason == PictureReadReason::TooLarge)
            text = "JPEG: " + text;
        throw PictureReadError(text, err_.reason, err_.systemError);
    }

    ErrorManager err_{};
    ScanBudget budget_{};
    FileSource source_{};
    jpeg_decompress_struct cinfo_{};
    // Frees libjpeg's memory on every path out, a failing constructor
    // included.
    struct Created {
        jpeg_decompress_struct* cinfo = nullptr;
        ~Created() {
            if (cinfo) jpeg_destroy_decompress(cinfo);
        }
    } lib_;
    bool cmyk_ = false;
};

}  // namespace

canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight) {
    Decoder d(file);
    const int width = static_cast<int>(d.Info().image_width);
    const int height = static_cast<int>(d.Info().image_height);
    // Rows go straight into the picture: no second copy of the whole image.
    canvas::Picture picture(std::clamp(keepWidth, 1, width), std::clamp(keepHeight, 1, height));
    d.Read(1, picture.Width(), picture.Height(),
           [&picture](int y, const std::vector<canvas::Colour>& row) { picture.SetRow(y, row); });
    // Rows that the file's end left grey are no picture: a failure, not a
    // success with a grey part.
    if (d.CutShort()) d.FailCutShort();
    picture.ClearDirty();
    return picture;
}

canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth, int keepHeight) {
    MemoryBytes bytes(file);
    return Decode(bytes, keepWidth, keepHeight);
}

PictureHeader HeaderOf(ByteSource& file) {
    Decoder d(file);
    return {static_cast<int>(d.Info().image_width), static_cast<int>(d.Info().image_height), std::nullopt};
}

ReducedPicture DecodeReduced(ByteSource& file, int maxSide) {
    Decoder d(file);
    ReducedPicture reduced;
    reduced.width = static_cast<int>(d.Info().image_width);
    reduced.height = static_cast<int>(d.Info().image_height);
    // libjpeg's own reduction while it still leaves at least maxSide pixels.
    int denominator = 1;
    while (denominator < 8 && ReductionStep(reduced.width, reduced.height, maxSide) >= denominator * 2)
        denominator *= 2;
    const int step = ReductionStep((reduced.width + denominator - 1) / denominator,
                                   (reduced.height + denominator - 1) / denominator, maxSide);
    const int outWidth = (reduced.width + denominator - 1) / denominator;
    const int outHeight = (reduced.height + denominator - 1) / denominator;
    reduced.picture = canvas::Picture((outWidth + step - 1) / step, (outHeight + step - 1) / step);
    std::vector<canvas::Colour> kept(static_cast<std::size_t>(reduced.picture.Width()));
    d.Read(
        denominator, outWidth, outHeight,
        [&](int y, const std::vector<canvas::Colour>& row) {
            for (std::size_t x = 0; x < kept.size(); ++x) kept[x] = row[x * static_cast<std::size_t>(step)];
            reduced.picture.SetRow(y / step, kept);
        },
        step);
    reduced.picture.ClearDirty();
    return reduced;
}

}  // namespace jpeg

// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PictureReaders.h"

#include <spng.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/PictureReadError.h"
#include "formats/PngChunks.h"
#include "formats/PngPalette.h"
#include "formats/ReducedPicture.h"

namespace png {
namespace {

// libspng asks for its bytes a few at a time; they come from the file in
// blocks, so that a large file is read only as far as the decoder gets.
class BlockReader {
public:
    explicit BlockReader(ByteSource& file) : file_(file) {}

    static int Read(spng_ctx*, void* user, void* dest, std::size_t length) {
        return static_cast<BlockReader*>(user)->Copy(static_cast<std::uint8_t*>(dest), length);
    }

private:
    static constexpr std::size_t BlockBytes = 64 * 1024;

    int Copy(std::uint8_t* dest, std::size_t length) {
        while (length > 0) {
            if (at_ == block_.size()) {
                const std::size_t left = file_.Size() - offset_;
                if (left == 0) return SPNG_IO_EOF;
                const auto bytes = file_.Read(offset_, std::min(left, BlockBytes));
                block_.assign(bytes.begin(), bytes.end());
                offset_ += bytes.size();
                at_ = 0;
            }
            const std::size_t n = std::min(length, block_.size() - at_);
            std::memcpy(dest, block_.data() + at_, n);
            dest += n;
            at_ += n;
            length -= n;
        }
        return 0;
    }

    ByteSource& file_;
    std::size_t offset_ = 0;  // of the byte after the block
    std::vector<std::uint8_t> block_;
    std::size_t at_ = 0;
};

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

// A picture past the size limits is refused as every reader refuses one,
// as no picture the editor takes; only memory the decoder would need beyond
// its budget (huge ancillary chunks, or none left) counts as too large.
[[noreturn]] void Fail(int error) {
    throw PictureReadError(std::string("PNG: ") + spng_strerror(error),
                           error == SPNG_EMEM || error == SPNG_ECHUNK_LIMITS ? PictureReadReason::TooLarge
                                                                             : PictureReadReason::NotAPicture);
}

void Check(int error) {
    if (error != 0) Fail(error);
}

// Ancillary chunks are kept in memory by the decoder; a file can't make it
// hold more than this. Together with the chunk being read and the decoder's
// buffers, a load stays well under 64 MiB (profiles and metadata of real
// files are a few MB).
constexpr std::size_t ChunkBytesLimit = std::size_t{1} << 23;
constexpr std::size_t ChunkCacheLimit = std::size_t{1} << 25;

// Files up to this size are read in one piece: the read costs less than
// handing the decoder its bytes a few at a time, and the buffer is small. A
// sheet's file (480 x 256, even 16-bit RGBA) is below it; past it, reading
// all of a large file whose top-left part alone is kept would cost more
// than the blocks save.
constexpr std::size_t WholeFileBytes = std::size_t{1} << 20;

// Adam7: the first column and the column step of each pass.
constexpr int PassFirstColumn[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr int PassColumnStep[7] = {8, 8, 4, 4, 2, 2, 1};

// The decoded rows (RGB8, RGBA8 or RGBA16: 3, 4 or 8 bytes a pixel) that
// fall into the kept part: of the top-left `width` x `height` pixels, every
// `step`-th pixel of every `step`-th row. RGB8 rows have no alpha to keep.
class KeptPart {
public:
    KeptPart(int width, int height, int step, int bytesPerPixel)
        : width_(width),
          height_(height),
          step_(step),
          picture_((width + step - 1) / step, (height + step - 1) / step),
          alpha_(bytesPerPixel == 3
                     ? 0
                     : static_cast<std::size_t>(picture_.Width()) * static_cast<std::size_t>(picture_.Height()),
                 255),
          bytes_(bytesPerPixel),
          row_(static_cast<std::size_t>(picture_.Width())) {}

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Row y of the picture, holding the pixels from `first` on, `passStep`
    // apart (all of them, unless the file is interlaced).
    void Take(const std::uint8_t* decoded, int y, int first, int passStep) {
        if (y >= height_ || y % step_ != 0) return;
        const int out = y / step_;
        // An interlaced pass brings only some pixels of the row.
        if (passStep != 1) {
            const auto kept = picture_.Row(out);
            std::copy(kept.begin(), kept.end(), row_.begin());
        }
        std::uint8_t* alpha =
            alpha_.empty() ? nullptr
                           : alpha_.data() + static_cast<std::size_t>(out) * static_cast<std::size_t>(picture_.Width());
        if (step_ == 1 && bytes_ == 3) {
            // A load: every pixel kept, without the general loop's divisions.
            for (int x = first; x < width_; x += passStep) {
                const std::uint8_t* p = decoded + 3 * static_cast<std::size_t>(x);
                row_[static_cast<std::size_t>(x)] = canvas::Rgb(p[0], p[1], p[2]);
            }
            picture_.SetRow(out, row_);
            return;
        }
        if (step_ == 1 && bytes_ == 4) {
            for (int x = first; x < width_; x += passStep) {
                const std::uint8_t* p = decoded + 4 * static_cast<std::size_t>(x);
                row_[static_cast<std::size_t>(x)] = canvas::Rgb(p[0], p[1], p[2]);
                alpha[x] = p[3];
            }
            picture_.SetRow(out, row_);
            return;
        }
        for (int x = first; x < width_; x += passStep) {
            if (x % step_ != 0) continue;
            int r, g, b, a = 255;
            if (bytes_ == 8) {
                std::uint16_t s[4];
                std::memcpy(s, decoded + 8 * static_cast<std::size_t>(x), sizeof s);
                r = Scale(s[0]), g = Scale(s[1]), b = Scale(s[2]), a = Scale(s[3]);
            } else {
                const std::uint8_t* p = decoded + static_cast<std::size_t>(bytes_) * static_cast<std::size_t>(x);
                r = p[0], g = p[1], b = p[2];
                if (alpha) a = p[3];
            }
            row_[static_cast<std::size_t>(x / step_)] = canvas::Rgb(r, g, b);
            if (alpha) alpha[x / step_] = static_cast<std::uint8_t>(a);
        }
        picture_.SetRow(out, row_);
    }

    PictureWithAlpha Result() && {
        PictureWithAlpha out{std::move(picture_), {}};
        if (std::any_of(alpha_.begin(), alpha_.end(), [](std::uint8_t a) { return a != 255; }))
            out.alpha = std::move(alpha_);
        return out;
    }

private:
    static int Scale(std::uint16_t v) { return (v * 255 + 32767) / 65535; }

    int width_, height_, step_;
    canvas::Picture picture_;
    std::vector<std::uint8_t> alpha_;
    int bytes_;
    std::vector<canvas::Colour> row_;
};

// The work budget of a part load from an interlaced file: the pixels of
// the whole picture (a 2896 x 2896 picture, a tenth of a second's decoding).
constexpr std::int64_t MaxInterlacedPixels = std::int64_t{1} << 23;

// Image data past this many bytes are not inflated a second time to check
// a part load's kept rows: such a file is hostile or the check would cost
// more than the load.
constexpr std::size_t MaxCheckedImageBytes = std::size_t{32} << 20;

// An IDAT chunk of at most this many bytes, the file's last, can hold the
// end of the zlib stream alone: the last block's end, empty blocks a flush
// leaves, and the checksum.
constexpr std::size_t StreamEndBytes = 64;

// The bytes of the image data up to the end of the first `rows` rows of a
// file without interlacing (a filter byte and the packed samples a row).
std::size_t ImageBytes(const spng_ihdr& ihdr, std::size_t rows) {
    static constexpr int Channels[7] = {1, 0, 3, 1, 2, 0, 4};
    const std::size_t bits = static_cast<std::size_t>(Channels[ihdr.color_type % 7]) * ihdr.bit_depth * ihdr.width;
    return rows * (1 + (bits + 7) / 8);
}

// A decoder on a file, its header read and checked against the limits. A
// small file is read whole and decoded where it lies; a large one is fed in
// blocks, so that it is read only as far as the decoding needs.
struct Opened {
    explicit Opened(ByteSource& file) : reader(file), ctx(spng_ctx_new(0)) {
        if (!ctx) throw PictureReadError("PNG: no memory for the decoder", PictureReadReason::TooLarge);
        if (file.Size() > 0 && file.Size() <= WholeFileBytes) {
            bytes = file.Read(0, file.Size());
            Check(spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()));
        } else {
            Check(spng_set_png_stream(ctx.get(), &BlockReader::Read, &reader));
        }
        Check(spng_set_image_limits(ctx.get(), static_cast<std::uint32_t>(picture_limits::MaxSide),
                                    static_cast<std::uint32_t>(picture_limits::MaxSide)));
        Check(spng_set_chunk_limits(ctx.get(), ChunkBytesLimit, ChunkCacheLimit));
        Check(spng_get_ihdr(ctx.get(), &ihdr));
        if (!picture_limits::Acceptable(ihdr.width, ihdr.height))
            throw PictureReadError(
                "PNG: picture size " + std::to_string(ihdr.width) + "x" + std::to_string(ihdr.height) + " not accepted",
                PictureReadReason::NotAPicture);
    }

    BlockReader reader;
    std::unique_ptr<spng_ctx, ContextFree> ctx;
    std::span<const std::uint8_t> bytes;  // the whole file, when it was read whole
    spng_ihdr ihdr{};
};

// The file's colour table, in its order.
std::vector<canvas::Colour> TableOf(spng_ctx* ctx) {
    spng_plte plte{};
    Check(spng_get_plte(ctx, &plte));
    std::vector<canvas::Colour> table;
    for (std::uint32_t i = 0; i < plte.n_entries && i < 256; ++i)
        table.push_back(canvas::Rgb(plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue));
    return table;
}

// Decodes the part that `choose` picks once the picture's size is known:
// it gets the width and height and returns the kept width, height and step.
template <typename Choose>
PictureWithAlpha DecodePart(ByteSource& file, Choose choose, int& width, int& height) {
    Opened opened(file);
    spng_ctx* const ctx = opened.ctx.get();
    const std::span<const std::uint8_t> bytes = opened.bytes;
    const spng_ihdr& ihdr = opened.ihdr;
    width = static_cast<int>(ihdr.width);
    height = static_cast<int>(ihdr.height);
    const bool sixteen = ihdr.bit_depth == 16;
    const bool indexed = ihdr.color_type == SPNG_COLOR_TYPE_INDEXED;
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    // 8-bit colour without tRNS, the common file, has no transparency: decoded
    // as RGB, it needs no alpha channel made, kept and searched.
    bool opaque = false;
    if (!sixteen && ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR) {
        spng_trns trns{};
        const int error = spng_get_trns(ctx, &trns);
        if (error != 0 && error != SPNG_ECHUNKAVAIL) Fail(error);
        opaque = error == SPNG_ECHUNKAVAIL;
    }
    const int bytesPerPixel = sixteen ? 8 : opaque ? 3 : 4;
    KeptPart part = choose(width, height, bytesPerPixel);
    const bool wholeKept = part.Width() == width && part.Height() == height;
    // Every pass but the last covers the whole picture, so an interlaced
    // file costs its whole size whatever part is kept: past the budget, a
    // part load refuses it before decoding, as the JPEG reader refuses a
    // file of many scans.
    if (interlaced && !wholeKept && std::int64_t{width} * height > MaxInterlacedPixels)
        throw PictureReadError("PNG: interlaced picture of " + std::to_string(width) + "x" + std::to_string(height) +
                                   " past the work budget",
                               PictureReadReason::TooLarge);

    // A file read whole has its chunks checked here, as the decoder does not
    // (a damaged ancillary chunk is dropped, a tRNS chunk that does not fit
    // is ignored) or does not get that far (the chunks after the kept rows);
    // the image data's checksums are the decoder's where it reads them all.
    // A part load takes a damaged file when the kept rows' data all lie
    // before the damage, and says so; every other load refuses it.
    ChunkWalk walk;
    if (!bytes.empty()) walk = WalkChunks(bytes, !wholeKept);
    bool damagedAfterKeptPart = false;
    if (walk.damageAt != Undamaged) {
        if (wholeKept || interlaced ||
            CheckImageData(bytes, walk.imageData, ImageBytes(ihdr, static_cast<std::size_t>(part.Height())),
                           MaxCheckedImageBytes)
                    .keptEnd > walk.damageAt)
            throw PictureReadError("PNG: damaged at byte " + std::to_string(walk.damageAt));
        damagedAfterKeptPart = true;
    }

    // Indexed rows are taken as indices and turned into colours here, so
    // that an index past the table is seen. (libspng's indices of
    // interlaced rows of 1 and 2 bits don't lie where the pixels do: those
    // still come as colours, an index past the table black.)
    std::optional<Palette> palette;
    if (indexed && (!interlaced || ihdr.bit_depth == 8)) {
        spng_plte plte{};
        Check(spng_get_plte(ctx, &plte));
        spng_trns trns{};
        const int error = spng_get_trns(ctx, &trns);
        if (error != 0 && error != SPNG_ECHUNKAVAIL) Fail(error);
        palette.emplace(plte, error == 0 ? &trns : nullptr, ihdr.bit_depth);
    }
    const int format = palette ? SPNG_FMT_PNG : sixteen ? SPNG_FMT_RGBA16 : opaque ? SPNG_FMT_RGB8 : SPNG_FMT_RGBA8;
    Check(spng_decode_image(ctx, nullptr, 0, format,
                            palette ? SPNG_DECODE_PROGRESSIVE : SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel));
    std::vector<std::uint8_t> indices(palette ? ImageBytes(ihdr, 1) : 0);

    for (;;) {
        spng_row_info info{};
        const int noRow = spng_get_row_info(ctx, &info);
        if (noRow == SPNG_EOI) break;
        Check(noRow);
        const int pass = interlaced ? info.pass : 6;
        int error = 0;
        if (palette) {
            error = spng_decode_row(ctx, indices.data(), indices.size());
            if (error == 0 || error == SPNG_EOI)
                palette->Expand(indices.data(), row.data(), width, PassFirstColumn[pass], PassColumnStep[pass]);
        } else {
            error = spng_decode_row(ctx, row.data(), row.size());
        }
        if (error != 0 && error != SPNG_EOI) Fail(error);
        const int y = static_cast<int>(info.row_num);
        part.Take(row.data(), y, PassFirstColumn[pass], PassColumnStep[pass]);
        if (error == SPNG_EOI) {
            // The whole picture was needed: the file is read to its end, so
            // that the end chunk is checked. The decoder stops inflating at
            // the last row: the stream's end and its checksum are checked
            // only when they lie in the IDAT chunk that brought that row. A
            // last chunk too short to hold pixel data holds them alone; the
            // data are then inflated once more, where the file was read
            // whole.
            Check(spng_decode_chunks(ctx));
            if (!bytes.empty() && !damagedAfterKeptPart && walk.imageData.size() > 1 &&
                walk.imageData.back().length <= StreamEndBytes &&
                !CheckImageData(bytes, walk.imageData, 0, MaxCheckedImageBytes).whole)
                throw PictureReadError("PNG: the image data's checksum is wrong");
            break;
        }
        // The last pass (every row, when not interlaced) has reached the last
        // kept row: nothing below it is needed, unless a short table makes
        // every row worth a look (an index past it is refused wherever it
        // lies). The rows that were not decoded are still checked where the
        // file was read whole: their data's checksum covers the kept rows too.
        if (pass == 6 && y + 1 >= part.Height() && !(palette && palette->Short())) {
            if (!bytes.empty() && !damagedAfterKeptPart &&
                !CheckImageData(bytes, walk.imageData, 0, MaxCheckedImageBytes).whole)
                throw PictureReadError("PNG: the image data's checksum is wrong");
            break;
        }
    }
    PictureWithAlpha result = std::move(part).Result();
    result.damagedAfterKeptPart = damagedAfterKeptPart;
    if (indexed) {
        result.table = TableOf(ctx);
        spng_trns trns{};
        if (spng_get_trns(ctx, &trns) == 0) {
            result.tableAlpha.assign(result.table->size(), 255);
            for (std::uint32_t i = 0; i < trns.n_type3_entries && i < result.tableAlpha.size(); ++i)
                result.tableAlpha[i] = trns.type3_alpha[i];
        }
    }
    return result;
}

}  // namespace

PictureWithAlpha Decode(ByteSource& file, int keepWidth, int keepHeight) {
    int width = 0, height = 0;
    return DecodePart(
        file,
        [&](int w, int h, int bytesPerPixel) {
            return KeptPart(std::clamp(keepWidth, 1, w), std::clamp(keepHeight, 1, h), 1, bytesPerPixel);
        },
        width, height);
}

ReducedPictureWithAlpha DecodeReduced(ByteSource& file, int maxSide) {
    ReducedPictureWithAlpha reduced;
    reduced.picture = DecodePart(
        file,
        [&](int w, int h, int bytesPerPixel) { return KeptPart(w, h, ReductionStep(w, h, maxSide), bytesPerPixel); },
        reduced.width, reduced.height);
    return reduced;
}

PictureHeader HeaderOf(ByteSource& file) {
    Opened opened(file);
    PictureHeader header{static_cast<int>(opened.ihdr.width), static_cast<int>(opened.ihdr.height), std::nullopt};
    if (opened.ihdr.color_type == SPNG_COLOR_TYPE_INDEXED) header.table = TableOf(opened.ctx.get());
    return header;
}

PictureWithAlpha Decode(std::span<const std::uint8_t> file, int keepWidth, int keepHeight) {
    MemoryBytes source(file);
    return Decode(source, keepWidth, keepHeight);
}

}  // namespace png

// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PngWriter.h"

#include <spng.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <future>
#include <memory>
#include <string>

#include "formats/DebugLog.h"
#include "formats/OwnPalette.h"
#include "formats/PictureEncodeError.h"
#include "formats/PngRowFilter.h"
#include "formats/RowDeflate.h"

namespace png {
namespace {

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

void Check(int error) {
    if (error != 0) throw PictureEncodeError(std::string("PNG: ") + spng_strerror(error));
}

using Context = std::unique_ptr<spng_ctx, ContextFree>;

Context NewEncoder(int width, int height, std::uint8_t colourType, std::uint8_t depth = 8) {
    Context ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx) throw PictureEncodeError("PNG: no memory for the encoder");
    Check(spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1));
    spng_ihdr ihdr{};
    ihdr.width = static_cast<std::uint32_t>(width);
    ihdr.height = static_cast<std::uint32_t>(height);
    ihdr.bit_depth = depth;
    ihdr.color_type = colourType;
    Check(spng_set_ihdr(ctx.get(), &ihdr));
    return ctx;
}

// The file once every row is encoded.
std::vector<std::uint8_t> TakeFile(spng_ctx* ctx) {
    std::size_t length = 0;
    int error = 0;
    void* buffer = spng_get_png_buffer(ctx, &length, &error);
    Check(error);
    std::unique_ptr<void, decltype(&std::free)> owned(buffer, &std::free);
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

constexpr int FilterChoiceOf[5] = {SPNG_FILTER_CHOICE_NONE, SPNG_FILTER_CHOICE_SUB, SPNG_FILTER_CHOICE_UP,
                                   SPNG_FILTER_CHOICE_AVG, SPNG_FILTER_CHOICE_PAETH};

// One row of indices packed `Depth` bits each (1, 2 or 4), the leftmost
// pixel in the highest bits; the bits past the last pixel stay 0.
template <int Depth>
void PackRow(const std::uint8_t* in, std::size_t columns, std::uint8_t* out) {
    constexpr std::size_t perByte = 8 / Depth;
    const std::size_t whole = columns / perByte;
    for (std::size_t b = 0; b < whole; ++b, in += perByte) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < perByte; ++k) byte = (byte << Depth) | in[k];
        out[b] = static_cast<std::uint8_t>(byte);
    }
    if (const std::size_t rest = columns % perByte; rest > 0) {
        unsigned byte = 0;
        for (std::size_t k = 0; k < rest; ++k) byte = (byte << Depth) | in[k];
        out[whole] = static_cast<std::uint8_t>(byte << (Depth * (perByte - rest)));
    }
}

// The image data before compression: each row its filter type (0: none;
// indices are no quantities, filters rarely help them) and its indices packed
// as tightly as `depth` bits (1, 2, 4 or 8) allow.
std::vector<std::uint8_t> UnfilteredRows(std::span<const std::uint8_t> indices, int width, int height, int depth) {
    const std::size_t columns = static_cast<std::size_t>(width);
    const std::size_t perByte = static_cast<std::size_t>(8 / depth);
    const std::size_t rowBytes = 1 + (columns + perByte - 1) / perByte;
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height));
    const std::uint8_t* in = indices.data();
    std::uint8_t* out = rows.data();
    for (int y = 0; y < height; ++y, in += columns, out += rowBytes) {
        out[0] = 0;
        switch (depth) {
            case 1: PackRow<1>(in, columns, out + 1); break;
            case 2: PackRow<2>(in, columns, out + 1); break;
            case 4: PackRow<4>(in, columns, out + 1); break;
            default: std::copy_n(in, columns, out + 1); break;
        }
    }
    return rows;
}

void AppendBigEndian(std::vector<std::uint8_t>& file, std::uint32_t n) {
    for (int shift = 24; shift >= 0; shift -= 8) file.push_back(static_cast<std::uint8_t>(n >> shift));
}

// A chunk with its length before it and its checksum (of the type and the
// data) after it.
void AppendChunk(std::vector<std::uint8_t>& file, const char* type, std::span<const std::uint8_t> data) {
    AppendBigEndian(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    AppendBigEndian(file,
                    static_cast<std::uint32_t>(crc32(0, file.data() + start, static_cast<uInt>(file.size() - start))));
}

// zlib's compressor at level 9 with its largest hash table, kept by each
// thread that saves: its 400 KiB of tables are allocated once, not at every
// save. A reset compressor writes the same stream as a new one.
class Level9Compressor {
public:
    Level9Compressor() = default;
    ~Level9Compressor() {
        if (made_) deflateEnd(&z_);
    }
    Level9Compressor(const Level9Compressor&) = delete;
    Level9Compressor& operator=(const Level9Compressor&) = delete;

    // The compressor ready for a new stream; throws when zlib has no memory
    // (and tries again at the next save).
    z_stream& Fresh() {
        if (!made_) made_ = deflateInit2(&z_, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) == Z_OK;
        if (!made_ || deflateReset(&z_) != Z_OK) throw PictureEncodeError("PNG: the compressor failed");
        return z_;
    }

private:
    z_stream z_{};
    bool made_ = false;
};

// zlib's stream of `data` at level 9: what the common tools reach at their
// best setting.
std::vector<std::uint8_t> ZlibLevel9(std::span<const std::uint8_t> data) {
    thread_local Level9Compressor compressor;
    z_stream& z = compressor.Fresh();
    std::vector<std::uint8_t> stream(deflateBound(&z, static_cast<uLong>(data.size())));
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = stream.data();
    z.avail_out = static_cast<uInt>(stream.size());
    const int result = deflate(&z, Z_FINISH);
    stream.resize(z.total_out);
    if (result != Z_STREAM_END) throw PictureEncodeError("PNG: the compressor failed");
    return stream;
}

// Pictures from this size on have zlib's stream made on a second thread
// beside ours; below it the thread's start costs more than it saves.
constexpr std::size_t ParallelBytes = std::size_t{1} << 18;

std::atomic<std::uint64_t> replacedStreams{0};

// The zlib stream of the image data, rows of `rowBytes` bytes each, chips
// `chipRows` rows high: the smaller of our own deflate's (RowDeflate.h) and
// zlib's at level 9. Ours is smaller on most sheets of map chips and much
// faster; zlib's wins on some grain and periodic patterns, where ours may be
// several times larger. A stream of ours that would not read back as the
// rows is never written.
std::vector<std::uint8_t> Compressed(std::span<const std::uint8_t> data, std::size_t rowBytes, std::size_t chipRows) {
    if (data.size() > 0x7FFFFFFF) throw PictureEncodeError("PNG: the picture is too large to compress");
    std::vector<std::uint8_t> zlibs;
    std::vector<std::uint8_t> own;
    if (data.size() >= ParallelBytes) {
        auto pending = std::async(std::launch::async, [data] { return ZlibLevel9(data); });
        own = DeflateRows(data, rowBytes, chipRows);
        zlibs = pending.get();
    } else {
        own = DeflateRows(data, rowBytes, chipRows);
        zlibs = ZlibLevel9(data);
    }
    if (own.size() <= zlibs.size()) {
        if (InflatesTo(own, data)) return own;
        replacedStreams.fetch_add(1, std::memory_order_relaxed);
        debug_log::Line("PNG: the own deflate's stream did not read back; zlib's written instead");
        return zlibs;
    }
    replacedStreams.fetch_add(1, std::memory_order_relaxed);
    if (debug_log::On())
        debug_log::Line("PNG: zlib's stream of " + std::to_string(zlibs.size()) +
                        " bytes written instead of the own deflate's " + std::to_string(own.size()));
    return zlibs;
}

// The fewest bits an index of a table of `entries` entries needs.
int DepthFor(std::size_t entries) { return entries <= 2 ? 1 : entries <= 4 ? 2 : entries <= 16 ? 4 : 8; }

// The whole file of an indexed picture with indices of `depth` bits:
// `table` holds the palette entries' red, green and blue, `alphas` the tRNS
// chunk (none when empty); its chips are `chipSize` pixels a side.
std::vector<std::uint8_t> IndexedFile(std::span<const std::uint8_t> indices, int width, int height, int depth,
                                      std::span<const std::uint8_t> table, std::span<const std::uint8_t> alphas,
                                      int chipSize) {
    const std::vector<std::uint8_t> rows = UnfilteredRows(indices, width, height, depth);
    const std::vector<std::uint8_t> data = Compressed(rows, rows.size() / static_cast<std::size_t>(std::max(height, 1)),
                                                      static_cast<std::size_t>(std::max(chipSize, 0)));
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    file.reserve(file.size() + 5 * 12 + 13 + table.size() + alphas.size() + data.size());
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // Depth, colour type 3 (indexed), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {static_cast<std::uint8_t>(depth), 3, 0, 0, 0});
    AppendChunk(file, "IHDR", header);
    AppendChunk(file, "PLTE", table);
    if (!alphas.empty()) AppendChunk(file, "tRNS", alphas);
    AppendChunk(file, "IDAT", data);
    AppendChunk(file, "IEND", {});
    return file;
}

bool Occurs(const canvas::Picture& picture, canvas::Colour c) {
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        if (std::find(row.begin(), row.end(), c) != row.end()) return true;
    }
    return false;
}

}  // namespace

std::uint64_t OwnStreamsReplaced() { return replacedStreams.load(std::memory_order_relaxed); }

std::vector<std::uint8_t> EncodeRgb(const canvas::Picture& picture, std::optional<canvas::Colour> transparent) {
    const bool withAlpha = transparent && Occurs(picture, *transparent & 0xFFFFFF);
    const std::size_t channels = withAlpha ? 4 : 3;
    Context ctx = NewEncoder(picture.Width(), picture.Height(),
                             withAlpha ? SPNG_COLOR_TYPE_TRUECOLOR_ALPHA : SPNG_COLOR_TYPE_TRUECOLOR);
    Check(spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE));
    Check(spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_ALL));
    Check(spng_encode_image(ctx.get(), nullptr, 0, SPNG_FMT_PNG, SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE));

    // Row by row: each row's filter is chosen here and handed to the encoder
    // as its only choice. The choice is libspng's own rule (the least sum of
    // magnitudes), but run on vectors it takes a fraction of the time libspng
    // spends trying every filter.
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width()) * channels;
    std::vector<std::uint8_t> row(rowBytes), previous(rowBytes, 0);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* out = row.data();
        for (canvas::Colour c : picture.Row(y)) {
            *out++ = static_cast<std::uint8_t>(canvas::RedOf(c));
            *out++ = static_cast<std::uint8_t>(canvas::GreenOf(c));
            *out++ = static_cast<std::uint8_t>(canvas::BlueOf(c));
            if (withAlpha) *out++ = c == (*transparent & 0xFFFFFF) ? 0 : 255;
        }
        const int filter = BestRowFilter(row, previous, static_cast<int>(channels));
        Check(spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, FilterChoiceOf[filter]));
        const int error = spng_encode_row(ctx.get(), row.data(), row.size());
        if (error != 0 && error != SPNG_EOI) Check(error);
        row.swap(previous);
    }
    return TakeFile(ctx.get());
}

std::vector<std::uint8_t> EncodeSmallest(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                         int chipSize) {
    std::optional<canvas::Colour> t;
    if (transparent && Occurs(picture, *transparent & 0xFFFFFF)) t = *transparent & 0xFFFFFF;
    // The colours counted and the pixels indexed in one pass; past 256
    // colours it stops at the end of the row that has the 257th.
    const own_palette::Indexing indexing = own_palette::IndexWithOwnColours(picture, t, palette_file::MaxColours + 1);
    if (indexing.Refused()) return EncodeRgb(picture, transparent);
    std::vector<std::uint8_t> table;
    for (const canvas::Colour c : indexing.palette)
        table.insert(table.end(),
                     {static_cast<std::uint8_t>(canvas::RedOf(c)), static_cast<std::uint8_t>(canvas::GreenOf(c)),
                      static_cast<std::uint8_t>(canvas::BlueOf(c))});
    // The transparent colour is entry 0: one alpha is enough, the entries
    // past it are opaque.
    const std::vector<std::uint8_t> alphas = t ? std::vector<std::uint8_t>{0} : std::vector<std::uint8_t>{};
    return IndexedFile(indexing.picture.indices, picture.Width(), picture.Height(), DepthFor(indexing.palette.size()),
                       table, alphas, chipSize);
}

std::vector<std::uint8_t> EncodeIndexed(std::span<const std::uint8_t> indices, int width, int height,
                                        const std::array<std::uint32_t, 256>& table,
                                        std::optional<std::uint8_t> transparentIndex, int chipSize,
                                        std::size_t entries) {
    std::vector<std::uint8_t> plte;
    for (std::size_t i = 0; i < std::clamp<std::size_t>(entries, 1, 256); ++i)
        plte.insert(plte.end(), {static_cast<std::uint8_t>(table[i] >> 16), static_cast<std::uint8_t>(table[i] >> 8),
                                 static_cast<std::uint8_t>(table[i])});
    std::vector<std::uint8_t> alphas;
    if (transparentIndex) {
        alphas.assign(static_cast<std::size_t>(*transparentIndex) + 1, 255);
        alphas.back() = 0;
    }
    return IndexedFile(indices, width, height, 8, plte, alphas, chipSize);
}

}  // namespace png

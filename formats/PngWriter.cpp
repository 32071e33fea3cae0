#include "formats/PngWriter.h"

#include <spng.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "formats/OwnPalette.h"
#include "formats/PictureEncodeError.h"
#include "formats/PngRowFilter.h"

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

std::vector<std::uint8_t> Finish(spng_ctx* ctx, std::span<const std::uint8_t> pixels) {
    Check(spng_encode_image(ctx, pixels.data(), pixels.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE));
    return TakeFile(ctx);
}

constexpr int FilterChoiceOf[5] = {SPNG_FILTER_CHOICE_NONE, SPNG_FILTER_CHOICE_SUB, SPNG_FILTER_CHOICE_UP,
                                   SPNG_FILTER_CHOICE_AVG, SPNG_FILTER_CHOICE_PAETH};

bool Occurs(const canvas::Picture& picture, canvas::Colour c) {
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        if (std::find(row.begin(), row.end(), c) != row.end()) return true;
    }
    return false;
}

}  // namespace

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

std::vector<std::uint8_t> EncodeSmallest(const canvas::Picture& picture, std::optional<canvas::Colour> transparent) {
    std::optional<canvas::Colour> t;
    if (transparent && Occurs(picture, *transparent & 0xFFFFFF)) t = *transparent & 0xFFFFFF;
    std::size_t count = 0;
    const palette_file::Palette palette = own_palette::SheetColours(picture, t, count, palette_file::MaxColours + 1);
    if (palette.empty()) return EncodeRgb(picture, transparent);
    std::optional<canvas::Point> off;
    const palette_bmp::IndexedPicture indexed = own_palette::IndexExactly(picture, palette, off);

    // Indices packed as tightly as the palette allows, the leftmost pixel in
    // the highest bits.
    const int depth = palette.size() <= 2 ? 1 : palette.size() <= 4 ? 2 : palette.size() <= 16 ? 4 : 8;
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    const std::size_t perByte = static_cast<std::size_t>(8 / depth);
    const std::size_t rowBytes = (width + perByte - 1) / perByte;
    std::vector<std::uint8_t> packed(rowBytes * static_cast<std::size_t>(picture.Height()), 0);
    for (std::size_t y = 0; y < static_cast<std::size_t>(picture.Height()); ++y)
        for (std::size_t x = 0; x < width; ++x) {
            const unsigned shift = static_cast<unsigned>(8 - depth * static_cast<int>(x % perByte + 1));
            packed[y * rowBytes + x / perByte] |= static_cast<std::uint8_t>(indexed.indices[y * width + x] << shift);
        }

    Context ctx =
        NewEncoder(picture.Width(), picture.Height(), SPNG_COLOR_TYPE_INDEXED, static_cast<std::uint8_t>(depth));
    // Indices are no quantities: filters rarely help them. Rows of tiles
    // repeat at short distances, which the default strategy finds and the
    // run-length one does not.
    Check(spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_NONE));
    Check(spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_LEVEL, 9));
    spng_plte plte{};
    plte.n_entries = static_cast<std::uint32_t>(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        plte.entries[i].red = static_cast<std::uint8_t>(canvas::RedOf(palette[i]));
        plte.entries[i].green = static_cast<std::uint8_t>(canvas::GreenOf(palette[i]));
        plte.entries[i].blue = static_cast<std::uint8_t>(canvas::BlueOf(palette[i]));
    }
    Check(spng_set_plte(ctx.get(), &plte));
    if (t) {
        // The transparent colour is entry 0: one tRNS entry is enough.
        spng_trns trns{};
        trns.n_type3_entries = 1;
        trns.type3_alpha[0] = 0;
        Check(spng_set_trns(ctx.get(), &trns));
    }
    return Finish(ctx.get(), packed);
}

std::vector<std::uint8_t> EncodeIndexed(std::span<const std::uint8_t> indices, int width, int height,
                                        const std::array<std::uint32_t, 256>& table,
                                        std::optional<std::uint8_t> transparentIndex, std::size_t entries) {
    Context ctx = NewEncoder(width, height, SPNG_COLOR_TYPE_INDEXED);
    // Indices are no quantities: filters don't help them.
    Check(spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_NONE));
    spng_plte plte{};
    plte.n_entries = static_cast<std::uint32_t>(std::clamp<std::size_t>(entries, 1, 256));
    for (std::size_t i = 0; i < plte.n_entries; ++i) {
        plte.entries[i].red = static_cast<std::uint8_t>(table[i] >> 16);
        plte.entries[i].green = static_cast<std::uint8_t>(table[i] >> 8);
        plte.entries[i].blue = static_cast<std::uint8_t>(table[i]);
    }
    Check(spng_set_plte(ctx.get(), &plte));
    if (transparentIndex) {
        spng_trns trns{};
        trns.n_type3_entries = static_cast<std::uint32_t>(*transparentIndex) + 1;
        std::fill_n(trns.type3_alpha, trns.n_type3_entries, std::uint8_t{255});
        trns.type3_alpha[*transparentIndex] = 0;
        Check(spng_set_trns(ctx.get(), &trns));
    }
    return Finish(ctx.get(), indices);
}

}  // namespace png

#include "io/BmpReader.h"

#include <string>
#include <vector>

#include "io/BmpHeader.h"
#include "io/PictureReadError.h"

namespace bmp {
namespace {

[[noreturn]] void Refuse(const std::string& why) { throw PictureReadError("BMP: " + why); }

canvas::Colour TableColour(const Header& h, std::uint32_t index) {
    // An index past the table has no colour: the file is refused rather
    // than shown with guessed colours.
    if (index >= h.table.size()) Refuse("colour index " + std::to_string(index) + " past the colour table");
    return h.table[index];
}

// A channel's value scaled to 0..255 with rounding, as v * 255 / max.
int Level(std::uint32_t pixel, const Channel& c) {
    if (c.bits == 0) return 0;
    const std::uint64_t v = (pixel & c.mask) >> c.shift;
    const std::uint64_t max = (std::uint64_t{1} << c.bits) - 1;
    return static_cast<int>((v * 255 * 2 + max) / (2 * max));
}

// The picture row that the n-th stored row fills.
int PictureRow(const Header& h, int stored) { return h.topDown ? stored : h.height - 1 - stored; }

void DecodeUncompressed(const Header& h, const std::uint8_t* data, canvas::Picture& picture) {
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    const int bytesPerPixel = h.bitCount / 8;
    const bool wholeBytes = bytesPerPixel >= 3 && h.channels[0].bits == 8 && h.channels[1].bits == 8 &&
                            h.channels[2].bits == 8;
    std::vector<canvas::Colour> row(static_cast<std::size_t>(h.width));
    for (int stored = 0; stored < h.height; ++stored) {
        const std::uint8_t* src = data + static_cast<std::size_t>(stored) * stride;
        if (h.encoding == Encoding::Indexed) {
            const int perByte = 8 / h.bitCount;
            const std::uint32_t valueMask = (1u << h.bitCount) - 1;
            for (int x = 0; x < h.width; ++x) {
                // The leftmost pixel sits in the highest bits of its byte.
                const int shift = (perByte - 1 - x % perByte) * h.bitCount;
                row[x] = TableColour(h, (src[x / perByte] >> shift) & valueMask);
            }
        } else if (wholeBytes) {
            // Channels of eight bits need no scaling: each level is its byte.
            const Channel &r = h.channels[0], &g = h.channels[1], &b = h.channels[2];
            for (int x = 0; x < h.width; ++x, src += bytesPerPixel) {
                std::uint32_t pixel = src[0] | static_cast<std::uint32_t>(src[1]) << 8 |
                                      static_cast<std::uint32_t>(src[2]) << 16;
                if (bytesPerPixel == 4) pixel |= static_cast<std::uint32_t>(src[3]) << 24;
                row[x] = canvas::Rgb(static_cast<int>((pixel & r.mask) >> r.shift),
                                     static_cast<int>((pixel & g.mask) >> g.shift),
                                     static_cast<int>((pixel & b.mask) >> b.shift));
            }
        } else {
            for (int x = 0; x < h.width; ++x, src += bytesPerPixel) {
                std::uint32_t pixel = 0;
                for (int b = 0; b < bytesPerPixel; ++b) pixel |= static_cast<std::uint32_t>(src[b]) << (8 * b);
                row[x] = canvas::Rgb(Level(pixel, h.channels[0]), Level(pixel, h.channels[1]),
                                     Level(pixel, h.channels[2]));
            }
        }
        picture.SetRow(PictureRow(h, stored), row);
    }
}

// Run-length data (RLE8 and RLE4): runs of one index (or two alternating
// nibbles), and escapes for end of line, end of bitmap, a jump (delta) and a
// literal run. Pixels that no code reaches stay black. A run that passes the
// end of its row is cut there; a jump out of the picture, a pixel that would
// land above the top row, or data that end before the end-of-bitmap code make
// the file unreadable.
class RleDecoder {
public:
    RleDecoder(const Header& h, const std::uint8_t* data, std::size_t size, canvas::Picture& picture)
        : h_(h), data_(data), size_(size), picture_(picture), nibbles_(h.encoding == Encoding::Rle4) {}

    void Decode() {
        for (;;) {
            const std::uint8_t count = Next();
            const std::uint8_t value = Next();
            if (count > 0) {
                Run(count, [value, this](int i) -> std::uint32_t {
                    return nibbles_ ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                });
                continue;
            }
            switch (value) {
                case 0:  // end of line
                    x_ = 0;
                    ++y_;
                    break;
                case 1:  // end of bitmap
                    return;
                case 2: {  // jump right and up
                    const std::uint8_t dx = Next();
                    const std::uint8_t dy = Next();
                    // A jump never leaves the picture: past the row's end
                    // it would point into the next row or beyond the data.
                    if (x_ + dx > h_.width || y_ + dy > h_.height) Refuse("run-length jump out of the picture");
                    x_ += dx;
                    y_ += dy;
                    break;
                }
                default: {  // literal run, padded to a whole 16-bit word
                    const std::size_t bytes = nibbles_ ? (value + 1u) / 2 : value;
                    if (bytes > size_ - at_) Refuse("run-length data end inside a literal run");
                    const std::uint8_t* literal = data_ + at_;
                    Run(value, [literal, this](int i) -> std::uint32_t {
                        return nibbles_ ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0F) : literal[i];
                    });
                    at_ += bytes + (bytes & 1);
                    if (at_ > size_) at_ = size_;
                    break;
                }
            }
        }
    }

private:
    std::uint8_t Next() {
        if (at_ >= size_) Refuse("run-length data end without an end-of-bitmap code");
        return data_[at_++];
    }

    // Writes `count` pixels from the current position, cut at the row's end.
    template <typename IndexOf>
    void Run(int count, IndexOf indexOf) {
        if (y_ >= h_.height) Refuse("run-length data past the top of the picture");
        const std::int64_t visible = std::min<std::int64_t>(count, std::max<std::int64_t>(h_.width - x_, 0));
        const int row = h_.height - 1 - static_cast<int>(y_);
        for (int i = 0; i < visible; ++i)
            picture_.SetPixel(static_cast<int>(x_) + i, row, TableColour(h_, indexOf(i)));
        x_ += count;
    }

    const Header& h_;
    const std::uint8_t* data_;
    std::size_t size_;
    canvas::Picture& picture_;
    bool nibbles_;
    std::size_t at_ = 0;
    // 64-bit: jumps can't overflow them, however many a file holds.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;  // counted from the bottom row
};

}  // namespace

canvas::Picture Decode(std::span<const std::uint8_t> file) {
    const Header h = ParseHeader(file);
    canvas::Picture picture(h.width, h.height);
    const std::uint8_t* data = file.data() + h.pixelOffset;
    if (h.encoding == Encoding::Rle8 || h.encoding == Encoding::Rle4)
        RleDecoder(h, data, h.pixelBytes, picture).Decode();
    else
        DecodeUncompressed(h, data, picture);
    picture.ClearDirty();
    return picture;
}

}  // namespace bmp

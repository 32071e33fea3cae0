// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PictureReaders.h"

#include <algorithm>
#include <string>
#include <vector>

#include "formats/BmpHeader.h"
#include "formats/PictureReadError.h"

namespace bmp {
namespace {

// Rows are read in parts of about this size, so that a large file never
// needs a buffer of its own size.
constexpr std::size_t ReadPart = std::size_t{1} << 20;

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

std::uint32_t IndexAt(const std::uint8_t* row, int x, int bitCount) {
    // The leftmost pixel sits in the highest bits of its byte.
    const int perByte = 8 / bitCount;
    const int shift = (perByte - 1 - x % perByte) * bitCount;
    return (row[x / perByte] >> shift) & ((1u << bitCount) - 1);
}

// Converts every `step`-th pixel of a stored row, row.size() of them.
void ConvertRow(const Header& h, const std::uint8_t* src, std::vector<canvas::Colour>& row, int step) {
    const int width = static_cast<int>(row.size());
    const int bytesPerPixel = h.bitCount / 8;
    if (h.encoding == Encoding::Indexed) {
        for (int x = 0; x < width; ++x) row[x] = TableColour(h, IndexAt(src, x * step, h.bitCount));
        return;
    }
    const std::size_t advance = static_cast<std::size_t>(bytesPerPixel) * static_cast<std::size_t>(step);
    if (bytesPerPixel >= 3 && h.channels[0].bits == 8 && h.channels[1].bits == 8 && h.channels[2].bits == 8) {
        // Channels of eight bits need no scaling: each level is its byte.
        const Channel &r = h.channels[0], &g = h.channels[1], &b = h.channels[2];
        for (int x = 0; x < width; ++x, src += advance) {
            std::uint32_t pixel =
                src[0] | static_cast<std::uint32_t>(src[1]) << 8 | static_cast<std::uint32_t>(src[2]) << 16;
            if (bytesPerPixel == 4) pixel |= static_cast<std::uint32_t>(src[3]) << 24;
            row[x] = canvas::Rgb(static_cast<int>((pixel & r.mask) >> r.shift),
                                 static_cast<int>((pixel & g.mask) >> g.shift),
                                 static_cast<int>((pixel & b.mask) >> b.shift));
        }
    } else {
        for (int x = 0; x < width; ++x, src += advance) {
            std::uint32_t pixel = 0;
            for (int b = 0; b < bytesPerPixel; ++b) pixel |= static_cast<std::uint32_t>(src[b]) << (8 * b);
            row[x] = canvas::Rgb(Level(pixel, h.channels[0]), Level(pixel, h.channels[1]), Level(pixel, h.channels[2]));
        }
    }
}

// The bytes a stored row's first `pixels` pixels lie in.
std::size_t RowBytes(const Header& h, std::int64_t pixels) {
    return static_cast<std::size_t>((pixels * h.bitCount + 7) / 8);
}

// With a short table, every pixel of every stored row must have a colour,
// kept or not: the rows are read part by part and checked.
void CheckIndices(const Header& h, ByteSource& file, std::size_t stride) {
    const int perPart = static_cast<int>(std::max<std::size_t>(1, ReadPart / stride));
    for (int first = 0; first < h.height; first += perPart) {
        const int count = std::min(perPart, h.height - first);
        const std::uint8_t* data = file.Read(h.pixelOffset + stride * static_cast<std::size_t>(first),
                                             stride * static_cast<std::size_t>(count - 1) + RowBytes(h, h.width))
                                       .data();
        for (int i = 0; i < count; ++i, data += stride)
            for (int x = 0; x < h.width; ++x) TableColour(h, IndexAt(data, x, h.bitCount));
    }
}

// Uncompressed rows: picture row r is stored row r * step from the top. Only
// the stored rows the picture takes are read: at the file's start when
// stored top-down, at its end when bottom-up; neighbouring ones in parts.
void DecodeUncompressed(const Header& h, ByteSource& file, canvas::Picture& picture, int step) {
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    if (h.encoding == Encoding::Indexed && h.table.size() < (std::size_t{1} << h.bitCount))
        CheckIndices(h, file, stride);
    // The last row may lack its padding, so a read ends with the bytes of the
    // last pixel used.
    const std::size_t used = RowBytes(h, std::int64_t{picture.Width() - 1} * step + 1);
    const int rows = picture.Height();
    const int perPart = step == 1 ? static_cast<int>(std::max<std::size_t>(1, ReadPart / stride)) : 1;
    std::vector<canvas::Colour> row(static_cast<std::size_t>(picture.Width()));
    for (int first = 0; first < rows; first += perPart) {
        const int count = std::min(perPart, rows - first);
        // Stored rows of picture rows first .. first + count - 1, lowest first.
        const int top = first * step, bottom = (first + count - 1) * step;
        const int lowest = h.topDown ? top : h.height - 1 - bottom;
        const std::uint8_t* data = file.Read(h.pixelOffset + stride * static_cast<std::size_t>(lowest),
                                             stride * static_cast<std::size_t>(count - 1) + used)
                                       .data();
        for (int i = 0; i < count; ++i, data += stride) {
            ConvertRow(h, data, row, step);
            picture.SetRow(h.topDown ? first + i : first + count - 1 - i, row);
        }
    }
}

// Run-length data (RLE8 and RLE4): runs of one index (or two alternating
// nibbles), and escapes for end of line, end of bitmap, a jump (delta) and a
// literal run. Pixels that no code reaches stay black. A run that passes the
// end of its row is cut there; a jump out of the picture, a pixel or an end
// of line above the top row, or data that end before the end-of-bitmap code
// make the file unreadable. The data are read from the file part by part.
class RleDecoder {
public:
    RleDecoder(const Header& h, ByteSource& file, std::size_t size, canvas::Picture& picture, int step)
        : h_(h), file_(file), size_(size), picture_(picture), step_(step), nibbles_(h.encoding == Encoding::Rle4) {}

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
                    // Past the top row there is nothing left to end: data
                    // going on there only cost time.
                    if (y_ >= h_.height) Refuse("run-length end of line past the top of the picture");
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
                    std::uint8_t literal[255];
                    for (std::size_t i = 0; i < bytes; ++i) literal[i] = Next();
                    Run(value, [&literal, this](int i) -> std::uint32_t {
                        return nibbles_ ? (i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0F) : literal[i];
                    });
                    if ((bytes & 1) != 0 && at_ < size_) Next();
                    break;
                }
            }
        }
    }

private:
    std::uint8_t Next() {
        if (at_ >= size_) Refuse("run-length data end without an end-of-bitmap code");
        if (at_ >= partEnd_) {
            part_ = file_.Read(h_.pixelOffset + at_, std::min(ReadPart, size_ - at_));
            partStart_ = at_;
            partEnd_ = at_ + part_.size();
        }
        return part_[at_++ - partStart_];
    }

    // Writes `count` pixels from the current position, cut at the row's end.
    // Pixels outside the picture taken are checked for a colour and dropped.
    template <typename IndexOf>
    void Run(int count, IndexOf indexOf) {
        if (y_ >= h_.height) Refuse("run-length data past the top of the picture");
        const std::int64_t visible = std::min<std::int64_t>(count, std::max<std::int64_t>(h_.width - x_, 0));
        const int row = h_.height - 1 - static_cast<int>(y_);
        const bool rowTaken = row % step_ == 0 && row / step_ < picture_.Height();
        for (int i = 0; i < visible; ++i) {
            const canvas::Colour colour = TableColour(h_, indexOf(i));
            const std::int64_t x = x_ + i;
            if (rowTaken && x % step_ == 0 && x / step_ < picture_.Width())
                picture_.SetPixel(static_cast<int>(x / step_), row / step_, colour);
        }
        x_ += count;
    }

    const Header& h_;
    ByteSource& file_;
    std::size_t size_;
    canvas::Picture& picture_;
    int step_;
    bool nibbles_;
    std::size_t at_ = 0;  // from the start of the data
    std::span<const std::uint8_t> part_;
    std::size_t partStart_ = 0, partEnd_ = 0;
    // 64-bit: jumps can't overflow them, however many a file holds.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;  // counted from the bottom row
};

// The most run-length data a picture can use: a jump of one pixel (4 bytes)
// for every pixel, and an end of line for every row. Bytes past that are
// never read; a file that needs them lacks its end-of-bitmap code there.
std::size_t RleBytesNeeded(const Header& h) {
    const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height);
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(h.pixelBytes, 4 * pixels + 2 * std::uint64_t(h.height) + 2));
}

void DecodePixels(const Header& h, ByteSource& file, canvas::Picture& picture, int step) {
    if (h.encoding == Encoding::Rle8 || h.encoding == Encoding::Rle4)
        RleDecoder(h, file, RleBytesNeeded(h), picture, step).Decode();  // runs are followed from the start
    else
        DecodeUncompressed(h, file, picture, step);
    picture.ClearDirty();
}

Header ReadHeader(ByteSource& file) {
    const std::span<const std::uint8_t> head = file.ReadAtMost(0, HeadBytes);
    return ParseHeader(head, file.Size());
}

}  // namespace

canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight) {
    const Header h = ReadHeader(file);
    canvas::Picture picture(std::clamp(keepWidth, 1, static_cast<int>(h.width)),
                            std::clamp(keepHeight, 1, static_cast<int>(h.height)));
    DecodePixels(h, file, picture, 1);
    return picture;
}

canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth, int keepHeight) {
    MemoryBytes bytes(file);
    return Decode(bytes, keepWidth, keepHeight);
}

ReducedPicture DecodeReduced(ByteSource& file, int maxSide) {
    const Header h = ReadHeader(file);
    const int step = ReductionStep(h.width, h.height, maxSide);
    ReducedPicture reduced{canvas::Picture((h.width + step - 1) / step, (h.height + step - 1) / step), h.width,
                           h.height};
    DecodePixels(h, file, reduced.picture, step);
    return reduced;
}

PictureHeader HeaderOf(ByteSource& file) {
    Header h = ReadHeader(file);
    PictureHeader header{h.width, h.height, std::nullopt};
    if (h.bitCount <= 8 && h.encoding != Encoding::Masks) header.table = std::move(h.table);
    return header;
}

}  // namespace bmp

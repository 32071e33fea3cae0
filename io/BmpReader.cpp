#include "io/BmpReader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "io/BmpHeader.h"
#include "io/PictureReadError.h"

namespace bmp {
namespace {

[[noreturn]] void Refuse(const std::string& why) { throw PictureReadError("BMP: " + why); }

// A file already in memory: its parts are handed out as they are.
class InMemory final : public ByteSource {
public:
    explicit InMemory(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Size() const override { return bytes_.size(); }
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) Refuse("read past the end of the file");
        return bytes_.subspan(offset, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

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

// Converts the first row.size() pixels of a stored row.
void ConvertRow(const Header& h, const std::uint8_t* src, std::vector<canvas::Colour>& row) {
    const int width = static_cast<int>(row.size());
    const int bytesPerPixel = h.bitCount / 8;
    if (h.encoding == Encoding::Indexed) {
        for (int x = 0; x < width; ++x) row[x] = TableColour(h, IndexAt(src, x, h.bitCount));
    } else if (bytesPerPixel >= 3 && h.channels[0].bits == 8 && h.channels[1].bits == 8 && h.channels[2].bits == 8) {
        // Channels of eight bits need no scaling: each level is its byte.
        const Channel &r = h.channels[0], &g = h.channels[1], &b = h.channels[2];
        for (int x = 0; x < width; ++x, src += bytesPerPixel) {
            std::uint32_t pixel = src[0] | static_cast<std::uint32_t>(src[1]) << 8 |
                                  static_cast<std::uint32_t>(src[2]) << 16;
            if (bytesPerPixel == 4) pixel |= static_cast<std::uint32_t>(src[3]) << 24;
            row[x] = canvas::Rgb(static_cast<int>((pixel & r.mask) >> r.shift),
                                 static_cast<int>((pixel & g.mask) >> g.shift),
                                 static_cast<int>((pixel & b.mask) >> b.shift));
        }
    } else {
        for (int x = 0; x < width; ++x, src += bytesPerPixel) {
            std::uint32_t pixel = 0;
            for (int b = 0; b < bytesPerPixel; ++b) pixel |= static_cast<std::uint32_t>(src[b]) << (8 * b);
            row[x] = canvas::Rgb(Level(pixel, h.channels[0]), Level(pixel, h.channels[1]),
                                 Level(pixel, h.channels[2]));
        }
    }
}

// Every pixel of every stored row must have a colour, kept or not.
void CheckIndices(const Header& h, const std::uint8_t* data, std::size_t stride) {
    for (int stored = 0; stored < h.height; ++stored, data += stride)
        for (int x = 0; x < h.width; ++x) TableColour(h, IndexAt(data, x, h.bitCount));
}

// Uncompressed rows: the rows kept lie together in the file, at its start
// when stored top-down and at its end when bottom-up, and only they are read.
void DecodeUncompressed(const Header& h, ByteSource& file, canvas::Picture& picture) {
    const std::size_t stride = (static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32 * 4;
    const int rows = picture.Height();
    const int firstStored = h.topDown ? 0 : h.height - rows;
    // The last row may lack its padding, so a range ends with the bytes of
    // its last pixel.
    const auto rangeBytes = [&](int count, int width) {
        return stride * static_cast<std::size_t>(count - 1) + (static_cast<std::size_t>(width) * h.bitCount + 7) / 8;
    };
    const std::uint8_t* data;
    if (h.encoding == Encoding::Indexed && h.table.size() < (std::size_t{1} << h.bitCount)) {
        const std::span<const std::uint8_t> all = file.Read(h.pixelOffset, rangeBytes(h.height, h.width));
        CheckIndices(h, all.data(), stride);
        data = all.data() + stride * static_cast<std::size_t>(firstStored);
    } else {
        data = file.Read(h.pixelOffset + stride * static_cast<std::size_t>(firstStored),
                         rangeBytes(rows, picture.Width()))
                   .data();
    }
    std::vector<canvas::Colour> row(static_cast<std::size_t>(picture.Width()));
    for (int i = 0; i < rows; ++i, data += stride) {
        ConvertRow(h, data, row);
        picture.SetRow(h.topDown ? i : rows - 1 - i, row);
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
    // Pixels outside the part kept are checked for a colour and dropped.
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

canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight) {
    const Header h = ParseHeader(file.Read(0, std::min(file.Size(), HeadBytes)), file.Size());
    canvas::Picture picture(std::clamp(keepWidth, 1, static_cast<int>(h.width)),
                            std::clamp(keepHeight, 1, static_cast<int>(h.height)));
    if (h.encoding == Encoding::Rle8 || h.encoding == Encoding::Rle4) {
        // Runs can only be followed from the start of the data.
        const std::span<const std::uint8_t> data = file.Read(h.pixelOffset, h.pixelBytes);
        RleDecoder(h, data.data(), data.size(), picture).Decode();
    } else {
        DecodeUncompressed(h, file, picture);
    }
    picture.ClearDirty();
    return picture;
}

canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth, int keepHeight) {
    InMemory bytes(file);
    return Decode(bytes, keepWidth, keepHeight);
}

}  // namespace bmp

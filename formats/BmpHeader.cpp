// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/BmpHeader.h"

#include <algorithm>
#include <bit>
#include <string>

#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"

namespace bmp {

void Refuse(const std::string& why) { throw PictureReadError("BMP: " + why); }

namespace {

constexpr std::size_t FileHeaderSize = 14;

// Every field is read through these, within the head the caller passed.
void CheckInHead(std::span<const std::uint8_t> f, std::size_t at, std::size_t bytes) {
    if (at > f.size() || bytes > f.size() - at) Refuse("file ends inside its header");
}
std::uint32_t U16(std::span<const std::uint8_t> f, std::size_t at) {
    CheckInHead(f, at, 2);
    return static_cast<std::uint32_t>(f[at] | f[at + 1] << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> f, std::size_t at) {
    CheckInHead(f, at, 4);
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}

// biCompression values.
enum : std::uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6 };

// The info header sizes that occur: the OS/2 1.x core header (12), OS/2 2.x
// headers (16 and 64, where compression 3 and 4 mean Huffman and RLE24), and
// the Windows headers of 40, 52, 56, 108 and 124 bytes.
bool KnownHeaderSize(std::uint32_t size) {
    switch (size) {
        case 12:
        case 16:
        case 40:
        case 52:
        case 56:
        case 64:
        case 108:
        case 124: return true;
        default: return false;
    }
}

Channel ChannelOf(std::uint32_t mask, int bitCount) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    if (bitCount < 32 && (mask >> bitCount) != 0) Refuse("colour mask outside the pixel");
    c.shift = std::countr_zero(mask);
    c.bits = std::popcount(mask);
    // Only a run of consecutive bits can be scaled to a level.
    if ((mask >> c.shift) != (c.bits == 32 ? 0xFFFFFFFFu : (1u << c.bits) - 1)) Refuse("colour mask with gaps");
    return c;
}

}  // namespace

Header ParseHeader(std::span<const std::uint8_t> file, std::size_t fileSize) {
    // Sizes and offsets are checked against the whole file; only the head
    // of it is at hand.
    const std::size_t length = fileSize;
    if (file.size() > length) file = file.first(length);
    if (length < FileHeaderSize + 12 || U16(file, 0) != ('B' | 'M' << 8)) Refuse("not a BMP file");
    // A file shorter than its own header says has lost its end; a shorter
    // claim is harmless and common in OS/2 files.
    if (U32(file, 2) > length) Refuse("file shorter than its header says");
    const std::size_t offBits = U32(file, 10);
    const std::uint32_t infoSize = U32(file, 14);
    if (!KnownHeaderSize(infoSize)) Refuse("unknown header size " + std::to_string(infoSize));
    if (length < FileHeaderSize + infoSize) Refuse("file ends inside its header");

    const bool core = infoSize == 12;
    const bool os2 = infoSize == 16 || infoSize == 64;
    std::int64_t width, height;
    std::uint32_t planes, bitCount, compression = BiRgb, sizeImage = 0, clrUsed = 0;
    if (core) {
        width = U16(file, 18);
        height = U16(file, 20);
        planes = U16(file, 22);
        bitCount = U16(file, 24);
    } else {
        width = static_cast<std::int32_t>(U32(file, 18));
        height = static_cast<std::int32_t>(U32(file, 22));
        planes = U16(file, 26);
        bitCount = U16(file, 28);
        if (infoSize >= 40) {
            compression = U32(file, 30);
            sizeImage = U32(file, 34);
            clrUsed = U32(file, 46);
            // The pixels are kept as stored whatever the density, but pixels
            // a thousand times wider than high (or the reverse) mark a broken
            // header rather than a picture anyone made.
            const std::int64_t xDensity = static_cast<std::int32_t>(U32(file, 38));
            const std::int64_t yDensity = static_cast<std::int32_t>(U32(file, 42));
            if (xDensity > 0 && yDensity > 0 && (xDensity > 1000 * yDensity || yDensity > 1000 * xDensity))
                Refuse("pixel density " + std::to_string(xDensity) + "x" + std::to_string(yDensity));
        }
    }

    Header h;
    h.topDown = height < 0;
    if (height < 0) height = -height;
    if (planes != 1) Refuse("plane count " + std::to_string(planes));
    if (!picture_limits::Acceptable(width, height))
        Refuse("picture size " + std::to_string(width) + "x" + std::to_string(height) + " not accepted");
    h.width = static_cast<std::int32_t>(width);
    h.height = static_cast<std::int32_t>(height);
    h.bitCount = static_cast<int>(bitCount);

    std::size_t tableStart = FileHeaderSize + infoSize;
    if (os2 && compression != BiRgb && compression != BiRle8 && compression != BiRle4)
        Refuse("OS/2 compression " + std::to_string(compression) + " not supported");
    switch (compression) {
        case BiRgb:
            if (bitCount == 1 || bitCount == 2 || bitCount == 4 || bitCount == 8) {
                h.encoding = Encoding::Indexed;
            } else if (bitCount == 16) {
                h.encoding = Encoding::Masks;
                h.channels = {ChannelOf(0x7C00, 16), ChannelOf(0x03E0, 16), ChannelOf(0x001F, 16)};
            } else if (bitCount == 24 || bitCount == 32) {
                h.encoding = Encoding::Masks;
                h.channels = {ChannelOf(0xFF0000, 32), ChannelOf(0xFF00, 32), ChannelOf(0xFF, 32)};
            } else {
                Refuse("bit count " + std::to_string(bitCount) + " not supported");
            }
            break;
        case BiRle8:
        case BiRle4:
            if (bitCount != (compression == BiRle8 ? 8u : 4u)) Refuse("RLE with bit count " + std::to_string(bitCount));
            // Run-length data is drawn from the bottom row up, by definition.
            if (h.topDown) Refuse("top-down RLE picture");
            h.encoding = compression == BiRle8 ? Encoding::Rle8 : Encoding::Rle4;
            break;
        case BiBitfields:
        case BiAlphaBitfields: {
            if (bitCount != 16 && bitCount != 32) Refuse("colour masks with bit count " + std::to_string(bitCount));
            // A 40-byte header is followed by the masks; longer ones hold them.
            std::size_t at = FileHeaderSize + 40;
            if (infoSize == 40) tableStart += compression == BiBitfields ? 12 : 16;
            if (tableStart > length) Refuse("file ends inside the colour masks");
            h.encoding = Encoding::Masks;
            for (std::size_t i = 0; i < 3; ++i) h.channels[i] = ChannelOf(U32(file, at + 4 * i), h.bitCount);
            if (h.channels[0].mask == 0 && h.channels[1].mask == 0 && h.channels[2].mask == 0) Refuse("no colour bits");
            break;
        }
        default: Refuse("compression " + std::to_string(compression) + " not supported");
    }

    if (offBits < tableStart || offBits > length)
        Refuse("pixel data offset " + std::to_string(offBits) + " outside the file");
    h.pixelOffset = offBits;
    h.pixelBytes = length - offBits;
    if (sizeImage > h.pixelBytes) Refuse("image size larger than the file");
    const bool rle = h.encoding == Encoding::Rle8 || h.encoding == Encoding::Rle4;
    if (rle && sizeImage != 0) h.pixelBytes = sizeImage;

    if (h.encoding != Encoding::Masks) {
        const std::size_t entrySize = core ? 3 : 4;
        const std::size_t available = (offBits - tableStart) / entrySize;
        // A stated count that runs into the pixel data is a lie; an implied
        // full table may be short (OS/2 files), and pixels must then stay
        // within what is there.
        if (clrUsed != 0 && clrUsed > available) Refuse("colour table larger than the room for it");
        const std::size_t declared = clrUsed != 0 ? clrUsed : std::size_t{1} << bitCount;
        const std::size_t entries = std::min({declared, available, std::size_t{1} << bitCount});
        if (entries == 0) Refuse("no colour table");
        CheckInHead(file, tableStart, entries * entrySize);
        h.table.resize(entries);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* e = file.data() + tableStart + i * entrySize;
            h.table[i] = canvas::Rgb(e[2], e[1], e[0]);
        }
    }
    if (!rle) {
        const std::uint64_t rowBits = static_cast<std::uint64_t>(h.width) * bitCount;
        const std::uint64_t stride = (rowBits + 31) / 32 * 4;
        // The last row may lack its padding: some writers leave it out.
        if (stride * (static_cast<std::uint64_t>(h.height) - 1) + (rowBits + 7) / 8 > h.pixelBytes)
            Refuse("pixel data shorter than the picture");
    }
    return h;
}

}  // namespace bmp

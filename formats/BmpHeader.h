// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "canvas/Colour.h"

namespace bmp {

// Leaves with PictureReadError("BMP: " + why).
[[noreturn]] void Refuse(const std::string& why);

enum class Encoding { Indexed, Rle8, Rle4, Masks };

// One channel of a 16- or 32-bit pixel: its bits are `mask`, `bits` wide,
// starting at bit `shift`. A channel without bits reads as 0.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

// What the headers of a BMP file say, checked against the file: every size,
// offset and count in it is known to lie within the file, and the picture
// size is within the limits of PictureLimits.h.
struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive
    bool topDown = false;
    int bitCount = 0;
    Encoding encoding = Encoding::Indexed;
    std::vector<canvas::Colour> table;  // indexed and RLE pictures only
    std::array<Channel, 3> channels{};  // red, green, blue of Masks pictures
    std::size_t pixelOffset = 0;        // first byte of the pixel data
    std::size_t pixelBytes = 0;         // bytes from pixelOffset to the end of the data
};

// The headers and the colour table lie within this many bytes from the start
// of any file ParseHeader accepts (at most 14 + 124 + 16 + 256 x 4).
constexpr std::size_t HeadBytes = 2048;

// Reads and checks the headers; throws PictureReadError on a file that is
// not a BMP this reader knows, or whose fields contradict the file. `head`
// holds the first bytes of a file of `fileSize` bytes: all of it, or at least
// HeadBytes.
Header ParseHeader(std::span<const std::uint8_t> head, std::size_t fileSize);

}  // namespace bmp

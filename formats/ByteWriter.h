// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bmp {

// Little-endian fields into a byte buffer, for the BMP headers.
inline void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The file header and the 40-byte info header of an uncompressed BMP with
// positive height (rows bottom-up). `tableEntries` four-byte colour-table
// entries follow the headers; the caller writes them and the pixels.
inline void PutHeaders(std::vector<std::uint8_t>& out, std::uint32_t width, std::uint32_t height,
                       std::uint16_t bitCount, std::uint32_t tableEntries, std::uint32_t fileSize) {
    const std::uint32_t offBits = 14 + 40 + 4 * tableEntries;
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, fileSize);
    Put16(out, 6, 0);
    Put16(out, 8, 0);
    Put32(out, 10, offBits);
    Put32(out, 14, 40);
    Put32(out, 18, width);
    Put32(out, 22, height);
    Put16(out, 26, 1);
    Put16(out, 28, bitCount);
    Put32(out, 30, 0);  // uncompressed
    Put32(out, 34, 0);  // image size may be 0 for uncompressed files
    Put32(out, 38, 0);  // no resolution
    Put32(out, 42, 0);
    Put32(out, 46, 0);  // all table entries count
    Put32(out, 50, 0);
}

}  // namespace bmp

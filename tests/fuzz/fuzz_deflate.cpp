// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the image data of an indexed PNG (the first two bytes choose
// the row length, the third the chip's rows): the writer's own deflate stream must inflate, by zlib
// itself, to exactly those bytes.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "formats/RowDeflate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t rowBytes = 1 + (std::size_t{data[0]} | std::size_t{data[1]} << 8) % 4096;
    const std::size_t chipRows = data[2] % 65;
    const std::span<const std::uint8_t> rows(data + 3, size - 3);
    const std::vector<std::uint8_t> stream = png::DeflateRows(rows, rowBytes, chipRows);
    std::vector<std::uint8_t> back(rows.size() + 1);
    uLongf length = back.size();
    if (uncompress(back.data(), &length, stream.data(), static_cast<uLong>(stream.size())) != Z_OK ||
        length != rows.size() || !std::equal(rows.begin(), rows.end(), back.begin()) || !png::InflatesTo(stream, rows))
        std::abort();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace png {

// The zlib stream (deflate with Huffman codes made for the data) of the image
// data of an indexed picture: rows of `rowBytes` bytes each, its map chips
// `chipRows` rows high (0 when the picture is no sheet). Its matches are
// looked for first where map chips repeat (the row and the chip row above,
// and the last four distances matched) and then in a short hash chain. On a
// sheet of map chips that finds as much as zlib's longest search in a third
// of its time: zlib's chains fill with the near places of flat chips, and it
// walks thousands of them to reach the design a chip row back.
std::vector<std::uint8_t> DeflateRows(std::span<const std::uint8_t> data, std::size_t rowBytes, std::size_t chipRows);

// Whether `stream` is a whole zlib stream that inflates to exactly `data`.
bool InflatesTo(std::span<const std::uint8_t> stream, std::span<const std::uint8_t> data);

}  // namespace png

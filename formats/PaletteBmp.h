// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/Picture.h"

// The two 8-bit BMP files with the fixed 256-entry colour table, built whole
// in memory. `table` holds colour-table entries as the file stores them:
// blue | green << 8 | red << 16.
//
// File layout: 14-byte file header, 40-byte info header, the 1024-byte table,
// then one index per pixel from the bottom row up. Rows are W bytes; a width
// that is not a multiple of 4 gets zero padding to the next multiple, counted
// in bfSize, so the file is (W rounded up to 4) x H + 1078 bytes long.
namespace palette_bmp {

// One table index per pixel, row by row from the top: what both files hold,
// whichever format they are written in.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
};

// The indices of Build256ColourBmp; empty (with `firstOffTable` set) when a
// pixel matches no entry.
IndexedPicture Index256Colours(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                               std::optional<canvas::Point>& firstOffTable);
// The indices of Build216ColourBmp.
IndexedPicture Index216Colours(const canvas::Picture& picture);
// The 8-bit BMP file of indexed pixels.
std::vector<std::uint8_t> EncodeBmp(const IndexedPicture& picture, const std::array<std::uint32_t, 256>& table);
// The first entry of the table equal to the colour, if any.
std::optional<std::uint8_t> EntryOf(canvas::Colour colour, const std::array<std::uint32_t, 256>& table);

// Every pixel must equal an entry of the table exactly; it gets the first
// such entry. If a pixel matches none, the result is empty and
// `firstOffTable` names the first such pixel, top row first, left to right.
std::vector<std::uint8_t> Build256ColourBmp(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Point>& firstOffTable);

// The pixels that match no entry of the table, in the order of the scan
// above (top row first, left to right): at most `limit` of them, while
// `count` receives how many there are in all. The first is the pixel that
// Build256ColourBmp refuses.
std::vector<canvas::Point> OffTablePixels(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                                          std::size_t limit, std::size_t& count);

// Every component is rounded to the nearest of the six levels 0, 51, ... 255,
// and the pixel gets the cube entry 36 x blue level + 6 x green level + red
// level. Never refuses.
std::vector<std::uint8_t> Build216ColourBmp(const canvas::Picture& picture,
                                            const std::array<std::uint32_t, 256>& table);

// The level (0..5) nearest to v / 51.
constexpr int CubeLevel(int v) { return (v + 25) / 51; }

}  // namespace palette_bmp

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "canvas/Picture.h"

namespace png {

// The whole file of an 8-bit RGB PNG (libspng), or RGBA when `transparent`
// is set and occurs in the picture: its pixels get alpha 0, every other
// pixel 255. Not interlaced; each row takes the filter whose residuals have
// the least sum of magnitudes (PngRowFilter.h), and the rows are compressed
// with zlib's run-length strategy, which on filtered picture rows is several
// times faster than the default strategy, and on photo-like rows smaller.
std::vector<std::uint8_t> EncodeRgb(const canvas::Picture& picture, std::optional<canvas::Colour> transparent);

// The smallest of the two: a picture of at most 256 colours as an indexed
// PNG (its colours in order of first appearance, `transparent` first and at
// alpha 0 in tRNS when it occurs; indices of 1, 2 or 4 bits where they are
// enough), any other as EncodeRgb writes it. What a PNG save writes.
// `chipSize` is the side of the sheet's chips (0: no sheet), where the
// compression of indices looks for repeats.
std::vector<std::uint8_t> EncodeSmallest(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                         int chipSize);

// The whole file of an indexed PNG (colour type 3, depth 8: engines that take
// indexed sheets expect 8-bit pictures): `indices` holds one table index per
// pixel, row by row from the top; `table` is the palette as BMP colour-table
// entries (blue | green << 8 | red << 16). With `transparentIndex` a tRNS
// chunk gives that entry alpha 0. The PLTE chunk holds the first `entries`
// entries (1 to 256) of the table. `chipSize` as for EncodeSmallest.
std::vector<std::uint8_t> EncodeIndexed(std::span<const std::uint8_t> indices, int width, int height,
                                        const std::array<std::uint32_t, 256>& table,
                                        std::optional<std::uint8_t> transparentIndex, int chipSize,
                                        std::size_t entries = 256);

// How many indexed saves of this process wrote zlib's stream instead of the
// own deflate's, because it was smaller or because the own one would not
// read back (each is also told to the debug log, DebugLog.h).
std::uint64_t OwnStreamsReplaced();

}  // namespace png

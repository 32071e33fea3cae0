// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/Picture.h"
#include "formats/PaletteBmp.h"
#include "formats/PaletteFile.h"

// Indexed files with a palette of the picture's own rather than the fixed
// table: the indices of a picture by exact colour, and the palette a picture
// makes of itself.
namespace own_palette {

// The palette as BMP colour-table entries (blue | green << 8 | red << 16),
// black past its end.
std::array<std::uint32_t, 256> TableEntries(const palette_file::Palette& palette);

// Each pixel gets the index of its colour in the palette; where a colour
// stands in the palette more than once, its first entry (so a table with
// repeated colours does not come back index for index). Empty, with
// `firstOffTable` naming the first pixel of no palette colour (top row
// first, left to right), when there is one.
palette_bmp::IndexedPicture IndexExactly(const canvas::Picture& picture, const palette_file::Palette& palette,
                                         std::optional<canvas::Point>& firstOffTable);

// The palette of the picture's own colours: the transparent colour first
// when one is set, then every colour in order of first appearance (top row
// first). `count` is how many distinct colours there are (the transparent
// colour counted even where it does not occur); past MaxColours the palette
// is empty. Counting stops at the end of the row where it reaches
// `countUpTo`: the count then only says there are at least that many.
palette_file::Palette SheetColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                   std::size_t& count, std::size_t countUpTo = SIZE_MAX);

// A picture indexed for a save with a palette of its own, or why it can't
// be: the editor's saves and tessaro-cli both index through these two.
struct Indexing {
    palette_bmp::IndexedPicture picture;    // empty when refused
    palette_file::Palette palette;          // the file's palette; empty past MaxColours
    std::optional<canvas::Point> offTable;  // the first pixel of no palette colour
    std::size_t colourCount = 0;            // IndexWithOwnColours: the distinct colours counted
    bool Refused() const { return offTable.has_value() || palette.empty(); }
};
// Every pixel by its exact colour in `palette` (IndexExactly).
Indexing IndexWithPalette(const canvas::Picture& picture, const palette_file::Palette& palette);
// The picture's own colours as the palette (SheetColours), refused past
// MaxColours; the colours are then counted as SheetColours counts them, up
// to `countUpTo`.
Indexing IndexWithOwnColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                             std::size_t countUpTo = SIZE_MAX);

}  // namespace own_palette

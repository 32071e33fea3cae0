// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// A chip of the sheet, by column and row.
struct ChipRef {
    int col = 0;
    int row = 0;
    friend bool operator==(const ChipRef&, const ChipRef&) = default;
};

// The sheet's shape: square chips of `chipSize` pixels, `cols` x `rows` of
// them. A new editor starts at 16-pixel chips on 30 x 16; a new sheet may
// take any shape that Fits.
struct SheetGeometry {
    int chipSize = 16;
    int cols = 30;
    int rows = 16;

    int Width() const { return cols * chipSize; }
    int Height() const { return rows * chipSize; }
    int ChipCount() const { return cols * rows; }
    bool Contains(int col, int row) const { return col >= 0 && row >= 0 && col < cols && row < rows; }
    bool Contains(ChipRef chip) const { return Contains(chip.col, chip.row); }
    // Chip (col, row)'s number in files that number the chips column by
    // column (the recovery copy): col x rows + row.
    int ColumnNumber(int col, int row) const { return col * rows + row; }
    ChipRef OfColumnNumber(int n) const { return {n / rows, n % rows}; }
    friend bool operator==(const SheetGeometry&, const SheetGeometry&) = default;
};

// The one home of the sheet's numbers; the board, the Tiled files, the tile
// preview and the command line take them from here.
namespace sheet {

inline constexpr SheetGeometry Default{};
inline constexpr int MinChipSize = 8;
inline constexpr int MaxChipSize = 64;
inline constexpr int MaxCols = 64;
inline constexpr int MaxRows = 64;
// Neither side of a sheet grows past this many pixels.
inline constexpr int MaxSide = 2048;
// The chip sizes a new-sheet dialog offers first.
inline constexpr int CommonChipSizes[] = {8, 16, 24, 32, 48};

// Slots of the chip table: every place a chip of any sheet can have.
inline constexpr int SlotCount = MaxCols * MaxRows;

// Where chip (col, row) lives in the chip table: column by column, MaxRows
// slots to a column whatever the sheet's rows, so that a chip keeps its slot
// when the sheet changes shape.
constexpr std::size_t SlotOf(int col, int row) { return static_cast<std::size_t>(col * MaxRows + row); }
constexpr ChipRef ChipOfSlot(std::size_t slot) {
    return {static_cast<int>(slot) / MaxRows, static_cast<int>(slot) % MaxRows};
}

// A shape the editor can hold: chips of MinChipSize..MaxChipSize, 1..MaxCols
// columns, 1..MaxRows rows, no side past MaxSide.
constexpr bool Fits(const SheetGeometry& g) {
    return g.chipSize >= MinChipSize && g.chipSize <= MaxChipSize && g.cols >= 1 && g.cols <= MaxCols && g.rows >= 1 &&
           g.rows <= MaxRows && g.cols * g.chipSize <= MaxSide && g.rows * g.chipSize <= MaxSide;
}

}  // namespace sheet

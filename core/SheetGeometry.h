// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// The sheet's shape: 30 x 16 chips of 16 x 16 pixels. The one home of these
// numbers; the board, the Tiled files, the tile preview and the command line
// take them from here.
namespace sheet {

inline constexpr int ChipSize = 16;
inline constexpr int Cols = 30;
inline constexpr int Rows = 16;
inline constexpr int ChipCount = Cols * Rows;
inline constexpr int Width = Cols * ChipSize;
inline constexpr int Height = Rows * ChipSize;

// Where chip (col, row) lives in the chip table: column by column.
constexpr std::size_t SlotOf(int col, int row) { return static_cast<std::size_t>(col * Rows + row); }

inline constexpr bool IsChip(int col, int row) { return col >= 0 && row >= 0 && col < Cols && row < Rows; }

}  // namespace sheet

// A chip of the sheet, by column and row.
struct ChipRef {
    int col = 0;
    int row = 0;
    friend bool operator==(const ChipRef&, const ChipRef&) = default;
};

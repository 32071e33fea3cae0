// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "canvas/Picture.h"

// The 47 chips of a terrain made from its source block: 2 x 3 chips whose
// quarters (half a chip each way) are the pieces. Chip (0, 0) of the block
// is the terrain's icon, chip (1, 0) holds the inner corners, and the 2 x 2
// chips below are an island of the terrain: outer corners, edges and fill.
// Pure functions of the pictures they are given; any even chip size.
namespace autotile {

// Neighbour bits of a cell, clockwise from the north.
enum Neighbour : std::uint8_t {
    N = 1,
    NE = 2,
    E = 4,
    SE = 8,
    S = 16,
    SW = 32,
    W = 64,
    NW = 128,
};

inline constexpr int SourceCols = 2;
inline constexpr int SourceRows = 3;
inline constexpr int ChipCount = 47;
// The target area: the chips 8 to a row, the 48th place left as it is.
inline constexpr int AreaCols = 8;
inline constexpr int AreaRows = 6;

// A corner bit counts only when both of its sides are set.
std::uint8_t Reduce(std::uint8_t mask);
// The 47 reduced masks, ascending: the order of the chips in the area.
const std::array<std::uint8_t, ChipCount>& Masks();
// The place of a mask's chip in that order (the mask is reduced first).
int IndexOf(std::uint8_t mask);

// Where the quarter at corner (cx, cy) of a chip with neighbour mask `mask`
// comes from: a quarter (qx 0-3, qy 0-5) of the source block.
struct Quarter {
    int qx = 0;
    int qy = 0;
    friend bool operator==(const Quarter&, const Quarter&) = default;
};
Quarter SourceQuarter(int cx, int cy, std::uint8_t mask);

// The source block's chip (col 0-1, row 0-2).
using SourceChip = std::function<const canvas::Picture&(int col, int row)>;
// Draws the chip of `mask` into `chip` (already of the chip size) from the
// source block's quarters.
void DrawChip(canvas::Picture& chip, std::uint8_t mask, const SourceChip& source);

}  // namespace autotile

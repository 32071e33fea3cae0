// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/DedupedMap.h"

std::vector<tiled::MapCell> DedupedCells(std::span<const tiled::MapCell> cells, const duplicates::Packing& packing) {
    std::vector<tiled::MapCell> deduped(cells.begin(), cells.end());
    for (tiled::MapCell& cell : deduped) {
        if (cell.tile == tiled::EmptyCell) continue;
        const auto old = static_cast<std::size_t>(cell.tile);
        // Old chip = new chip laid in packing.orientation; the cell then lays
        // that in its own orientation.
        cell = {packing.newChip[old], canvas::Then(packing.orientation[old], cell.orientation)};
    }
    return deduped;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "core/ChipDuplicates.h"
#include "formats/TiledMap.h"

// The cells of a map of the old sheet, rewritten to the packed sheet: each
// cell takes its chip's new number, and its orientation composed after the
// one in which the new chip shows as the old, so that the cell shows as
// before (a cell already flipped keeps its own flips on top).
std::vector<tiled::MapCell> DedupedCells(std::span<const tiled::MapCell> cells, const duplicates::Packing& packing);

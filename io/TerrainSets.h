// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "canvas/Picture.h"
#include "core/Terrain.h"
#include "formats/TiledMap.h"

// Terrains as the terrain sets of a Tiled tileset, and back. A tile's id is
// row x columns + column.

// The set of `terrain`: its 47 chips with the wang ids of their masks, its
// icon the block's top-left chip, its colour the icon's middle pixel.
tiled::WangSet WangSetOf(const Terrain& terrain, std::span<const canvas::Picture> chips, int columns);

// The terrain a set stands for, when its tiles lie as ours do: each mask's
// chip at its place of one area (the chip without neighbours may be missing:
// Tiled keeps no tile whose wang id is all 0), its icon the source block.
// None for any other set, or one that does not fit the sheet.
std::optional<Terrain> TerrainOf(const tiled::WangSet& set, int columns, int rows);

std::vector<Terrain> TerrainsOf(std::span<const tiled::WangSet> sets, int columns, int rows);

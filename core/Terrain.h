// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/Autotile.h"
#include "core/SheetGeometry.h"

// A terrain of the sheet: its source block of 2 x 3 chips and the area of
// 8 x 6 chips that holds its 47 generated chips in mask order.
struct Terrain {
    std::string name;
    ChipRef source;  // the block's top-left chip; also the terrain's icon
    ChipRef area;    // the area's top-left chip

    // The chip that shows neighbour mask `mask` (reduced first).
    ChipRef ChipOf(std::uint8_t mask) const { return PlaceOf(autotile::IndexOf(mask)); }
    // The area's chip at place `index` (0-46), 8 to a row.
    ChipRef PlaceOf(int index) const {
        return {area.col + index % autotile::AreaCols, area.row + index / autotile::AreaCols};
    }
    // The reduced mask whose chip lies at `chip`, when it is one of the 47.
    std::optional<std::uint8_t> MaskAt(ChipRef chip) const;
    bool InArea(ChipRef chip) const;

    friend bool operator==(const Terrain&, const Terrain&) = default;
};

// Why a terrain can't be made; the handler turns it into the user's message.
enum class TerrainProblem {
    NoName,
    SourceOutside,  // the block does not lie on the sheet
    AreaOutside,    // nor does the area
    Overlap,        // the block and the area share chips
    Taken,          // the block or area shares chips with another terrain's area
    OddChipSize,    // a chip can't be cut into quarters
};

// The problem of `terrain` among `others` (a terrain of the same name is the
// one it replaces and doesn't count) on a sheet of cols x rows chips of
// `chipSize` pixels.
std::optional<TerrainProblem> ProblemOf(const Terrain& terrain, std::span<const Terrain> others, int cols, int rows,
                                        int chipSize);

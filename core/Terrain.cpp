// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Terrain.h"

namespace {

bool Within(ChipRef chip, ChipRef corner, int cols, int rows) {
    return chip.col >= corner.col && chip.row >= corner.row && chip.col < corner.col + cols &&
           chip.row < corner.row + rows;
}

bool OnSheet(ChipRef corner, int cols, int rows, int sheetCols, int sheetRows) {
    return corner.col >= 0 && corner.row >= 0 && corner.col + cols <= sheetCols && corner.row + rows <= sheetRows;
}

// Whether two rectangles of chips share one.
bool Meet(ChipRef a, int aCols, int aRows, ChipRef b, int bCols, int bRows) {
    return a.col < b.col + bCols && b.col < a.col + aCols && a.row < b.row + bRows && b.row < a.row + aRows;
}

}  // namespace

std::optional<std::uint8_t> Terrain::MaskAt(ChipRef chip) const {
    if (!InArea(chip)) return std::nullopt;
    const int index = (chip.row - area.row) * autotile::AreaCols + (chip.col - area.col);
    if (index >= autotile::ChipCount) return std::nullopt;
    return autotile::Masks()[static_cast<std::size_t>(index)];
}

bool Terrain::InArea(ChipRef chip) const { return Within(chip, area, autotile::AreaCols, autotile::AreaRows); }

std::optional<TerrainProblem> ProblemOf(const Terrain& t, std::span<const Terrain> others, int cols, int rows,
                                        int chipSize) {
    using autotile::AreaCols, autotile::AreaRows, autotile::SourceCols, autotile::SourceRows;
    if (t.name.empty()) return TerrainProblem::NoName;
    if (chipSize <= 0 || chipSize % 2 != 0) return TerrainProblem::OddChipSize;
    if (!OnSheet(t.source, SourceCols, SourceRows, cols, rows)) return TerrainProblem::SourceOutside;
    if (!OnSheet(t.area, AreaCols, AreaRows, cols, rows)) return TerrainProblem::AreaOutside;
    if (Meet(t.source, SourceCols, SourceRows, t.area, AreaCols, AreaRows)) return TerrainProblem::Overlap;
    for (const Terrain& o : others) {
        if (o.name == t.name) continue;
        // One terrain's chips written into another's block or area would
        // make them overwrite each other.
        if (Meet(t.area, AreaCols, AreaRows, o.area, AreaCols, AreaRows) ||
            Meet(t.area, AreaCols, AreaRows, o.source, SourceCols, SourceRows) ||
            Meet(t.source, SourceCols, SourceRows, o.area, AreaCols, AreaRows))
            return TerrainProblem::Taken;
    }
    return std::nullopt;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The board's terrain brush: cells marked as a terrain take the chip of the
// terrain that their eight neighbours call for.
#include <array>

#include "edit/EditorForm.h"

namespace {

struct Step {
    int dc, dr;
    std::uint8_t bit;
};
constexpr std::array<Step, 8> Around{{{0, -1, autotile::N},
                                      {1, -1, autotile::NE},
                                      {1, 0, autotile::E},
                                      {1, 1, autotile::SE},
                                      {0, 1, autotile::S},
                                      {-1, 1, autotile::SW},
                                      {-1, 0, autotile::W},
                                      {-1, -1, autotile::NW}}};

bool OnBoard(const TryOutBoard& board, BoardCell c) {
    return c.col >= 0 && c.row >= 0 && c.col < board.Cols() && c.row < board.Rows();
}

}  // namespace

bool EditorForm::CellHasTerrain(BoardCell cell, std::size_t terrain) const {
    if (terrain >= project.Sheet.Terrains().size()) return false;
    const std::optional<ChipRef> chip = project.Board.At(cell);
    return chip && project.Sheet.Terrains()[terrain].MaskAt(*chip).has_value();
}

void EditorForm::PaintTerrain(BoardCell cell, std::size_t terrain, bool on) {
    if (terrain >= project.Sheet.Terrains().size() || !OnBoard(project.Board, cell)) return;
    const Terrain& t = project.Sheet.Terrains()[terrain];
    if (on && !CellHasTerrain(cell, terrain)) {
        project.Board.Place(cell, t.ChipOf(0));
    } else if (!on) {
        if (!CellHasTerrain(cell, terrain)) return;
        project.Board.Place(cell, std::nullopt);
    }
    // The terrain runs on past the board's edge, as a map cut out of a
    // larger one does.
    auto counts = [&](BoardCell c) { return !OnBoard(project.Board, c) || CellHasTerrain(c, terrain); };
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            const BoardCell c{cell.col + dc, cell.row + dr};
            if (!OnBoard(project.Board, c) || !CellHasTerrain(c, terrain)) continue;
            std::uint8_t mask = 0;
            for (const Step& s : Around)
                if (counts({c.col + s.dc, c.row + s.dr})) mask |= s.bit;
            project.Board.Place(c, t.ChipOf(mask));
        }
}

void EditorForm::TerrainBrushMenuClick() {
    const std::size_t count = project.Sheet.Terrains().size();
    if (!TerrainBrush)
        TerrainBrush = count > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    else if (*TerrainBrush + 1 < count)
        TerrainBrush = *TerrainBrush + 1;
    else
        TerrainBrush.reset();
    controls.SetChecked(ControlId::TerrainBrushMenu, TerrainBrush.has_value());
}

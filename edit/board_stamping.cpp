// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and drags on the try-out board: stamping the chip (or block) being edited,
// taking a cell's chip to edit, emptying a cell.
#include "core/Form.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};
const ShiftState MiddleOnly{ShiftKey::Middle};

// The chip being edited into the cell, or a block into as many cells from
// there as it has chips; cells past the board's edge are left out.
void Stamp(TForm1& form, BoardCell cell) {
    for (int c = 0; c < form.EditCols(); ++c)
        for (int r = 0; r < form.EditRows(); ++r)
            form.project.Board.Place({cell.col + c, cell.row + r}, ChipRef{form.CurCol + c, form.CurRow + r});
}

// With the terrain brush, left marks cells as its terrain and right as not.
bool PaintsTerrain(const TForm1& form, ShiftState shift) {
    return form.TerrainBrush && *form.TerrainBrush < form.project.Sheet.Terrains().size() &&
           (shift == LeftOnly || shift == RightOnly);
}

}  // namespace

void TForm1::BoardIMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    const std::optional<BoardCell> cell = project.Board.CellAt(X, Y);
    if (!cell) return;
    if (PaintsTerrain(*this, Shift)) {
        // The whole drag is one step: the board as the press found it.
        project.RecordBoard();
        PaintTerrain(*cell, *TerrainBrush, Shift == LeftOnly);
    } else if (Shift == LeftOnly) {
        Stamp(*this, *cell);
    } else if (Shift == MiddleOnly) {
        project.Board.Place(*cell, std::nullopt);
    } else if (Shift == RightOnly) {
        // Exactly a left press on the chip in the sheet view, with all that
        // choosing a chip there does.
        if (const std::optional<ChipRef> chip = project.Board.At(*cell))
            ScreenIMouseDown(MouseButton::Left, LeftOnly, chip->col * Def.ChipSize, chip->row * Def.ChipSize);
    }
}

void TForm1::BoardIMouseMove(ShiftState Shift, int X, int Y) {
    if (PaintsTerrain(*this, Shift)) {
        if (const std::optional<BoardCell> cell = project.Board.CellAt(X, Y))
            PaintTerrain(*cell, *TerrainBrush, Shift == LeftOnly);
        return;
    }
    if (Shift != LeftOnly) return;
    if (const std::optional<BoardCell> cell = project.Board.CellAt(X, Y)) Stamp(*this, *cell);
}

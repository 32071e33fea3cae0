// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and drags on the try-out board: stamping the chip (or block) being edited,
// taking a cell's chip to edit, emptying a cell; the stamp's orientation.
#include <string>
#include <string_view>

#include "core/Translation.h"
#include "edit/EditorForm.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};
const ShiftState MiddleOnly{ShiftKey::Middle};

// The chip being edited into the cell, or a block into as many cells from
// there as it has chips; cells past the board's edge are left out. The stamp
// lies as a whole in its orientation: a block's chips change places as its
// pixels would, and each chip lies so.
void Stamp(EditorForm& form, BoardCell cell) {
    const canvas::Orientation o = form.StampOrientation;
    const bool diagonal = canvas::Has(o, canvas::Orientation::Diagonal);
    const int cols = diagonal ? form.EditRows() : form.EditCols();
    const int rows = diagonal ? form.EditCols() : form.EditRows();
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) {
            const canvas::Point from = canvas::SourceOf(o, c, r, cols, rows);
            form.project.Board.Place({cell.col + c, cell.row + r}, ChipRef{form.CurCol + from.x, form.CurRow + from.y},
                                     o);
        }
}

// The stamp's orientation as the board window's line shows it.
std::string_view OrientationCaption(canvas::Orientation o) {
    using enum canvas::Orientation;
    switch (o) {
        case AsIs: return TSR_TEXT("Controls", "スタンプの向き：そのまま");
        case Horizontal: return TSR_TEXT("Controls", "スタンプの向き：左右反転");
        case Vertical: return TSR_TEXT("Controls", "スタンプの向き：上下反転");
        case Turned90: return TSR_TEXT("Controls", "スタンプの向き：右に90°回転");
        case Turned180: return TSR_TEXT("Controls", "スタンプの向き：180°回転");
        case Turned270: return TSR_TEXT("Controls", "スタンプの向き：左に90°回転");
        case Diagonal: return TSR_TEXT("Controls", "スタンプの向き：左上と右下を結ぶ線で反転");
        case AntiDiagonal: return TSR_TEXT("Controls", "スタンプの向き：右上と左下を結ぶ線で反転");
    }
    return {};
}

// With the terrain brush, left marks cells as its terrain and right as not.
bool PaintsTerrain(const TForm1& form, ShiftState shift) {
    return form.TerrainBrush && *form.TerrainBrush < form.project.Sheet.Terrains().size() &&
           (shift == LeftOnly || shift == RightOnly);
}

}  // namespace

void EditorForm::BoardIMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
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
        // The stamp takes the cell's orientation too, so that it stamps
        // the cell again as it is.
        if (const std::optional<PlacedChip> held = project.Board.Held(*cell)) {
            ScreenIMouseDown(MouseButton::Left, LeftOnly, held->chip.col * Def.ChipSize, held->chip.row * Def.ChipSize);
            StampOrientation = held->orientation;
            controls.SetCaption(ControlId::BoardStampPanel, std::string(OrientationCaption(StampOrientation)));
        }
    }
}

void EditorForm::StampOrientationClick(ControlId Sender) {
    using enum canvas::Orientation;
    switch (Sender) {
        case ControlId::StampMirrorXMenu: StampOrientation = canvas::Then(StampOrientation, Horizontal); break;
        case ControlId::StampMirrorYMenu: StampOrientation = canvas::Then(StampOrientation, Vertical); break;
        case ControlId::StampTurnMenu: StampOrientation = canvas::Then(StampOrientation, Turned90); break;
        default: StampOrientation = AsIs; break;
    }
    controls.SetCaption(ControlId::BoardStampPanel, std::string(OrientationCaption(StampOrientation)));
}

void EditorForm::BoardIMouseMove(ShiftState Shift, int X, int Y) {
    if (PaintsTerrain(*this, Shift)) {
        if (const std::optional<BoardCell> cell = project.Board.CellAt(X, Y))
            PaintTerrain(*cell, *TerrainBrush, Shift == LeftOnly);
        return;
    }
    if (Shift != LeftOnly) return;
    if (const std::optional<BoardCell> cell = project.Board.CellAt(X, Y)) Stamp(*this, *cell);
}

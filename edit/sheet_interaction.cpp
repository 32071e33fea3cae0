// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and moves of the mouse on the sheet view: choosing the chip to
// edit, the sheet's pop-up menu, single pixels set with Shift held (a block
// selected instead with the block option on), colour picks, and the
// position text.
#include <cstdlib>

#include "edit/EditorForm.h"
#include "edit/position_text.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};
const ShiftState ShiftLeft{ShiftKey::Shift, ShiftKey::Left};
const ShiftState ShiftRight{ShiftKey::Shift, ShiftKey::Right};
const ShiftState CtrlLeft{ShiftKey::Ctrl, ShiftKey::Left};
const ShiftState CtrlRight{ShiftKey::Ctrl, ShiftKey::Right};

// The chip under a sheet-view position and the pixel of that chip under it.
// Division truncates toward zero, so positions up to ChipSize - 1 pixels
// left of or above the view still give column or row 0, with a pixel outside
// that chip.
struct SheetSpot {
    int col, row;  // chip
    int px, py;    // pixel of the chip
};

SheetSpot SpotAt(const TForm1& form, int X, int Y) {
    const int size = form.Def.ChipSize;
    const int col = X / size;
    const int row = Y / size;
    return {col, row, X - col * size, Y - row * size};
}

bool OnGrid(const TForm1& form, const SheetSpot& s) {
    return s.col >= 0 && s.row >= 0 && s.col < form.Def.SheetCols && s.row < form.Def.SheetRows;
}

// Sets one pixel of a chip straight from the sheet view. A pixel outside the
// chip changes nothing, but the views and flags are brought up to date all
// the same.
void SetSheetPixel(TForm1& form, const SheetSpot& s, TColor colour) {
    // A step of the undo history only for a pixel that changes: a drag that
    // lingers on one pixel would fill the history with steps of nothing.
    const canvas::Picture& chip = form.Chip(s.col, s.row);
    if (chip.Contains(s.px, s.py) && chip.GetPixel(s.px, s.py) != colour) form.RecordUndoStep(s.col, s.row);
    form.ChangeChip(s.col, s.row).SetPixel(s.px, s.py, colour);
    form.DrawChip(s.col, s.row, false);
    form.DrawSheetFrame();
    if (s.col >= form.CurCol && s.row >= form.CurRow && s.col < form.CurCol + form.EditCols() &&
        s.row < form.CurRow + form.EditRows())
        form.RefreshEditArea();
    // The one-level copy would bring back a chip without this pixel.
    form.project.history.DropOneLevel();
    form.Modified = true;
}

// Marks the chip with a blue frame, opens ScreenMenu at the pointer, and runs
// the chosen command only after the menu has closed and the frame is gone.
void PopUpOnChip(EditorForm& form, const SheetSpot& s, int X, int Y) {
    form.PopupCol = s.col;
    form.PopupRow = s.row;
    const int size = form.Def.ChipSize;
    const int extra = form.Def.SheetGridShown ? 1 : 0;
    form.ScreenI.SetBrushColour(0xFF0000);
    form.ScreenI.FrameRect({s.col * size, s.row * size, (s.col + 1) * size + extra, (s.row + 1) * size + extra});
    form.ScreenMenuPopup();
    const std::optional<ControlId> item = form.platform.PopupMenu(ControlId::ScreenMenu, ControlId::ScreenI, X, Y);
    form.DrawSheetFrame();
    if (item) form.popMenuClick(*item);
}

}  // namespace

void EditorForm::DragBlock(int col, int row) {
    if (!BlockDragStart) return;
    const ChipRef start = *BlockDragStart;
    const int cols = std::min(std::abs(col - start.col) + 1, EditorOptions::MaxBlockSide);
    const int rows = std::min(std::abs(row - start.row) + 1, EditorOptions::MaxBlockSide);
    const int left = col >= start.col ? start.col : start.col - cols + 1;
    const int top = row >= start.row ? start.row : start.row - rows + 1;
    // A move within the same chip changes nothing.
    if (left == CurCol && top == CurRow && cols == Options.blockCols && rows == Options.blockRows) return;
    SelectBlock(left, top, cols, rows);
}

void EditorForm::ScreenIMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    Shift = PressShift(Shift);
    const SheetSpot s = SpotAt(*this, X, Y);
    BlockDragStart.reset();
    if (!OnGrid(*this, s)) return;
    const canvas::Picture& chip = Chip(s.col, s.row);

    // The tile preview's drags on neighbours set pixels, as before.
    if (Shift == ShiftLeft && Options.block && !TileDragOnSheet) {
        BlockDragStart = ChipRef{s.col, s.row};
        DragBlock(s.col, s.row);
    } else if (Shift == RightOnly) {
        PopUpOnChip(*this, s, X, Y);
    } else if (Shift == LeftOnly) {
        ChooseChip(s.col, s.row);
    } else if (Shift == ShiftRight) {
        SetSheetPixel(*this, s, RightColor);
    } else if (Shift == ShiftLeft) {
        SetSheetPixel(*this, s, LeftColor);
    } else if (Shift == CtrlRight || Shift == CtrlLeft) {
        // A pick needs a pixel of the chip to read.
        if (!chip.Contains(s.px, s.py)) return;
        if (Shift == CtrlRight)
            SetRightColor(chip.GetPixel(s.px, s.py));
        else
            SetLeftColor(chip.GetPixel(s.px, s.py));
    }
}

void EditorForm::ScreenIMouseMove(ShiftState Shift, int X, int Y) {
    const SheetSpot s = SpotAt(*this, X, Y);
    if (Shift != ShiftLeft) BlockDragStart.reset();
    if (!OnGrid(*this, s)) return;

    if (BlockDragStart)
        DragBlock(s.col, s.row);
    else if (Shift == ShiftRight)
        SetSheetPixel(*this, s, RightColor);
    else if (Shift == ShiftLeft)
        SetSheetPixel(*this, s, LeftColor);

    // Read after the pixel is set; outside the chip it reads black. With the
    // duplicates option on, a marked chip adds the chip it repeats.
    std::string text = PositionText(X, Y, Chip(s.col, s.row).GetPixel(s.px, s.py));
    if (const std::string repeats = DuplicateText(s.col, s.row); !repeats.empty()) text += "  " + repeats;
    controls.SetCaption(ControlId::EditPos, text);
}

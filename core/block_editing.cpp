// SPDX-License-Identifier: GPL-3.0-or-later
// Block editing: the edit area shows a block of chips as one picture, at the
// largest zoom at which it fits. Without the option every function here
// stands for the chip being edited alone, exactly as before.
#include <algorithm>

#include "core/Form.h"
#include "core/ViewMenuItems.h"

namespace {

// The chips being edited on the sheet view, unframed.
void DrawEditedChips(TForm1& form) {
    for (int c = 0; c < form.EditCols(); ++c)
        for (int r = 0; r < form.EditRows(); ++r) form.DrawChip(form.CurCol + c, form.CurRow + r, false);
}

}  // namespace

void TForm1::BlockMenuClick() {
    // Unframed first, at the old size.
    DrawEditedChips(*this);
    Options.block = !Options.block;
    ShowOptions();
    SelectBlock(CurCol, CurRow, Options.blockCols, Options.blockRows);
}

bool TForm1::BlockEditing() const { return Options.block && (EditCols() > 1 || EditRows() > 1); }

int TForm1::EditCols() const {
    if (!Options.block) return 1;
    return std::clamp(std::min(Options.blockCols, Def.SheetCols - CurCol), 1, EditorOptions::MaxBlockSide);
}

int TForm1::EditRows() const {
    if (!Options.block) return 1;
    return std::clamp(std::min(Options.blockRows, Def.SheetRows - CurRow), 1, EditorOptions::MaxBlockSide);
}

int TForm1::EditZoom() const {
    if (!BlockEditing()) return Def.Zoom;
    // The largest zoom at which the block fits the edit box. The box holds a
    // chip at the layout's largest zoom; the fixed window's box is never
    // smaller than 160 pixels, even where the chip's side does not divide it.
    const int side = std::max(LargestZoom() * Def.ChipSize, WideLayoutOn() ? 0 : FixedEditSide);
    return std::max(1, side / (std::max(EditCols(), EditRows()) * Def.ChipSize));
}

void TForm1::SelectBlock(int col, int row, int cols, int rows) {
    DropPendingPoint();
    // The chips that were being edited, without a rubber band they may show.
    DrawEditedChips(*this);
    Options.blockCols = std::clamp(cols, 1, EditorOptions::MaxBlockSide);
    Options.blockRows = std::clamp(rows, 1, EditorOptions::MaxBlockSide);
    if (Options.block) {
        col = std::min(col, Def.SheetCols - Options.blockCols);
        row = std::min(row, Def.SheetRows - Options.blockRows);
    }
    CurCol = std::max(col, 0);
    CurRow = std::max(row, 0);
    project.history.DropOneLevel();
    // The XY exchange needs a square.
    controls.SetEnabled(ControlId::XYMenu, EditCols() == EditRows());
    LayoutChanged = true;
    // The roomy window grows, if it must, for the block to be read.
    if (WideLayoutOn()) ApplyLayout(RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, DeviceRatio));
    SizeEditArea();
    // Back to one chip: the zoom box tells the chip's zoom again.
    if (!BlockEditing()) ShowZoomChoice();
    // Draws the sheet's lines or the whole sheet again, so the old frame goes.
    DrawSheetFrame();
}

canvas::Picture TForm1::EditedPicture() const {
    if (!BlockEditing()) return Chip(CurCol, CurRow);
    const int n = Def.ChipSize;
    canvas::Picture block(EditWidth(), EditHeight());
    for (int c = 0; c < EditCols(); ++c)
        for (int r = 0; r < EditRows(); ++r) block.Draw(c * n, r * n, Chip(CurCol + c, CurRow + r));
    return block;
}

canvas::Colour TForm1::EditedPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= EditWidth() || y >= EditHeight()) return canvas::Black;
    const int n = Def.ChipSize;
    return Chip(CurCol + x / n, CurRow + y / n).GetPixel(x % n, y % n);
}

void TForm1::ChangeEdited(const std::function<void(canvas::Picture&)>& change) {
    if (!BlockEditing()) return change(ChangeChip(CurCol, CurRow));
    canvas::Picture block = EditedPicture();
    block.ClearDirty();
    change(block);
    const canvas::Rect dirty = block.Dirty();
    const int n = Def.ChipSize;
    for (int c = 0; c < EditCols(); ++c) {
        for (int r = 0; r < EditRows(); ++r) {
            const canvas::Rect place{c * n, r * n, (c + 1) * n, (r + 1) * n};
            const bool touched = !dirty.IsEmpty() && dirty.left < place.right && place.left < dirty.right &&
                                 dirty.top < place.bottom && place.top < dirty.bottom;
            if (!touched) continue;
            canvas::Picture part(n, n);
            part.CopyRect({0, 0, n, n}, block, place);
            if (part == Chip(CurCol + c, CurRow + r)) continue;
            ChangeChip(CurCol + c, CurRow + r).Draw(0, 0, part);
        }
    }
}

void TForm1::RecordEditedStep(History::OneLevel oneLevel) {
    if (BlockEditing())
        project.RecordBlock({CurCol, CurRow}, EditCols(), EditRows(), oneLevel);
    else
        project.RecordChip({CurCol, CurRow}, oneLevel);
}

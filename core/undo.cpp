// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the sheet's one undo history: the described
// one-level undo at a limit of 1, the history of steps across chips and the
// try-out board above.
#include "core/Form.h"

void TForm1::TakeUndoCopy() { RecordEditedStep(SheetDocument::OneLevel::Kept); }

void TForm1::RecordUndoStep(std::int32_t col, std::int32_t row) {
    Sheet.RecordStep(col, row, SheetDocument::OneLevel::Passed);
}

namespace {

// The views show every chip, so a step of any chip shows after a relayout.
// A step of the history may belong to a chip other than the one being
// edited: that chip is chosen, so that the change shows in the edit area.
void ShowUndoneStep(TForm1& form, const std::optional<ChipRef>& chip) {
    if (!chip) return;
    if (form.Sheet.History.On() && (chip->col != form.CurCol || chip->row != form.CurRow))
        form.ChooseChip(chip->col, chip->row);
    // A palette swap's step gives an entry of the shown palette its other colour.
    if (form.ShownUserPalette()) form.DrawPaletteView();
    // A whole-sheet step may give back another shape of the sheet.
    const SheetGeometry g = form.Sheet.Geometry();
    form.Relayout(g.chipSize, g.cols, g.rows);
}

}  // namespace

// The newest step is the board's or the chips'.
void TForm1::Undo() {
    if (BoardUndo.Undo(Sheet.History, Board)) return;
    const std::optional<ChipRef> chip = Sheet.Undo(CurCol, CurRow);
    if (chip) BoardUndo.ChipUndone();
    ShowUndoneStep(*this, chip);
}

void TForm1::Redo() {
    if (BoardUndo.Redo(Sheet.History, Board)) return;
    const std::optional<ChipRef> chip = Sheet.Redo();
    if (chip) BoardUndo.ChipRedone();
    ShowUndoneStep(*this, chip);
}

int TForm1::UndoSteps() const { return Sheet.History.UndoCount() + BoardUndo.UndoCount(Sheet.History); }

int TForm1::RedoSteps() const { return Sheet.History.RedoCount() + BoardUndo.RedoCount(Sheet.History); }

void TForm1::ForgetUndo() { Sheet.History.Clear(); }

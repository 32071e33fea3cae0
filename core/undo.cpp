// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the sheet's one undo history: the described
// one-level undo at a limit of 1, the history of steps across chips and the
// try-out board above.
#include "core/Form.h"

void TForm1::TakeUndoCopy() { RecordEditedStep(History::OneLevel::Kept); }

void TForm1::RecordUndoStep(std::int32_t col, std::int32_t row) {
    project.RecordChip({col, row}, History::OneLevel::Passed);
}

namespace {

// The views show every chip, so a step of any chip shows after a relayout.
// A step of the history may belong to a chip other than the one being
// edited: that chip is chosen, so that the change shows in the edit area.
void ShowUndoneStep(TForm1& form, const std::optional<History::Done>& done) {
    if (!done) return;
    const std::optional<ChipRef> chip = done->place;
    if (chip && form.project.history.On() && (chip->col != form.CurCol || chip->row != form.CurRow))
        form.ChooseChip(chip->col, chip->row);
    // A palette swap's step gives an entry of the shown palette its other
    // colour, and the drawing colours that went with it.
    if (form.ShownUserPalette()) form.DrawPaletteView();
    form.SetLeftColor(form.LeftColor);
    form.SetRightColor(form.RightColor);
    form.ShowAnimationAt(form.AnimationMs);
    // A whole-sheet step may give back another shape of the sheet.
    const SheetGeometry g = form.project.Sheet.Geometry();
    form.Relayout(g.chipSize, g.cols, g.rows);
}

}  // namespace

void TForm1::Undo() { ShowUndoneStep(*this, project.Undo({CurCol, CurRow})); }

void TForm1::Redo() { ShowUndoneStep(*this, project.Redo()); }

int TForm1::UndoSteps() const { return project.history.UndoCount(); }

int TForm1::RedoSteps() const { return project.history.RedoCount(); }

void TForm1::ForgetUndo() { project.history.Clear(); }

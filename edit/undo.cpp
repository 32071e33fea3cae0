// Undo and redo through the sheet's one undo history: the described
// one-level undo at a limit of 1, the history of steps across chips above.
#include "core/Form.h"

void TForm1::TakeUndoCopy() { Sheet.RecordStep(CurCol, CurRow, SheetDocument::OneLevel::Kept); }

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
    form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows);
}

}  // namespace

void TForm1::Undo() { ShowUndoneStep(*this, Sheet.Undo(CurCol, CurRow)); }

void TForm1::Redo() { ShowUndoneStep(*this, Sheet.Redo()); }

int TForm1::UndoSteps() const { return Sheet.History.UndoCount(); }

int TForm1::RedoSteps() const { return Sheet.History.RedoCount(); }

void TForm1::ForgetUndo() { Sheet.History.Clear(); }

// Undo and redo through the sheet's one undo history: the described
// one-level undo at a limit of 1, the history of steps across chips above.
#include "core/Form.h"

void TForm1::TakeUndoCopy() { Sheet.RecordStep(CurCol, CurRow, SheetDocument::OneLevel::Kept); }

void TForm1::RecordUndoStep(std::int32_t col, std::int32_t row) {
    Sheet.RecordStep(col, row, SheetDocument::OneLevel::Passed);
}

// The views show every chip, so a step of any chip shows after a relayout.
void TForm1::Undo() {
    if (Sheet.Undo(CurCol, CurRow)) Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

void TForm1::Redo() {
    if (Sheet.Redo()) Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

int TForm1::UndoSteps() const { return Sheet.History.UndoCount(); }

int TForm1::RedoSteps() const { return Sheet.History.RedoCount(); }

void TForm1::ForgetUndo() { Sheet.History.Clear(); }

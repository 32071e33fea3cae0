// The one-level undo of the chip being edited, and the undo history in its
// place while that is on.
#include "core/Form.h"
#include "edit/undo_redo.h"

void TForm1::TakeUndoCopy() {
    if (RecordUndoStep(CurCol, CurRow)) return;
    const canvas::Picture& chip = Chip(CurCol, CurRow);
    UndoImage.SetSize(chip.Width(), chip.Height());
    UndoImage.Draw(0, 0, chip);
    UndoAvailable = true;
}

void TForm1::Undo() {
    if (UndoFromHistory(*this)) return;
    if (!UndoAvailable) return;
    Chip(CurCol, CurRow).Draw(0, 0, UndoImage);
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    UndoAvailable = false;
}

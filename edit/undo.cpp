// The one-level undo of the chip being edited.
#include "core/Form.h"

void TForm1::TakeUndoCopy() {
    const canvas::Picture& chip = Chip(CurCol, CurRow);
    UndoImage.SetSize(chip.Width(), chip.Height());
    UndoImage.Draw(0, 0, chip);
    UndoAvailable = true;
}

void TForm1::Undo() {
    if (!UndoAvailable) return;
    Chip(CurCol, CurRow).Draw(0, 0, UndoImage);
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    UndoAvailable = false;
}

// The editor's state as the memory button and the recovery copy keep it.
#include "core/Form.h"

TMemorySnapshot TForm1::Snapshot() {
    TMemorySnapshot m;
    ComposeSheet();
    m.MemSheetImage = SheetImage;
    m.MemCurCol = CurCol;
    m.MemCurRow = CurRow;
    m.MemGridHidden = controls.Checked(ControlId::UnMenu);
    m.MemModified = Modified;
    m.MemResizePerChip = controls.Checked(ControlId::chrSMenu);
    m.MemPenSize = PenSize;
    m.MemDef = Def;
    return m;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's state as the memory button and the recovery copy keep it.
#include "core/Form.h"

TMemorySnapshot TForm1::Snapshot() {
    TMemorySnapshot m;
    ComposeSheet();
    m.MemSheetImage = SheetImage;
    m.MemCurCol = CurCol;
    m.MemCurRow = CurRow;
    m.MemGridHidden = Options.editGridHidden;
    m.MemModified = Modified;
    m.MemResizePerChip = Options.resizePerChip;
    m.MemPenSize = PenSize;
    m.MemDef = Def;
    m.MemFileName = project.FileName;
    return m;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/RecoveryFile.h"

class TForm1;

// The editor's state as a recovery copy holds it, and back. Taking it copies
// the sheet and a few numbers only: it is made on the window's thread, while
// the encoding and writing happen elsewhere.
namespace recovery {

// What an editor's copy may hold: the editor's own ranges.
Limits EditorLimits();
Record RecordOfEditor(TForm1& form);
// The sheet and the view settings, then the session where the copy has one.
void RestoreEditor(TForm1& form, Record&& record);

}  // namespace recovery

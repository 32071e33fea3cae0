// Handlers of this directory that are not built yet. Each one throws a
// NotBuiltYet naming itself; an entry goes when its real definition comes,
// and the file goes with the last entry.
#include "core/Form.h"
#include "core/NotBuiltYet.h"

void TForm1::EditIMouseDown(MouseButton, ShiftState, int, int) { throw NotBuiltYet("EditIMouseDown"); }
void TForm1::EditIMouseMove(ShiftState, int, int) { throw NotBuiltYet("EditIMouseMove"); }
void TForm1::ScreenIMouseDown(MouseButton, ShiftState, int, int) { throw NotBuiltYet("ScreenIMouseDown"); }
void TForm1::ScreenIMouseMove(ShiftState, int, int) { throw NotBuiltYet("ScreenIMouseMove"); }
void TForm1::PalleteMouseMove(ShiftState, int, int) { throw NotBuiltYet("PalleteMouseMove"); }
void TForm1::PalleteMouseDown(MouseButton, ShiftState, int, int) { throw NotBuiltYet("PalleteMouseDown"); }
void TForm1::ColorSelect(ControlId) { throw NotBuiltYet("ColorSelect"); }
void TForm1::MoveMenuClick(ControlId) { throw NotBuiltYet("MoveMenuClick"); }
void TForm1::ToolButtonClick(ControlId) { throw NotBuiltYet("ToolButtonClick"); }
void TForm1::TakeUndoCopy() { throw NotBuiltYet("TakeUndoCopy"); }
void TForm1::Undo() { throw NotBuiltYet("Undo"); }
void TForm1::MemoriseSnapshot() { throw NotBuiltYet("MemoriseSnapshot"); }
void TForm1::ReplaySnapshot() { throw NotBuiltYet("ReplaySnapshot"); }


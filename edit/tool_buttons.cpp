// The four tool buttons and the two memory buttons, told apart by the sender.
#include "core/Form.h"

void TForm1::ToolButtonClick(ControlId Sender) {
    int mode;
    switch (Sender) {
    case ControlId::PenB: mode = 0; break;
    case ControlId::FillB: mode = 1; break;
    case ControlId::CircleB: mode = 2; break;
    case ControlId::LineB: mode = 4; break;
    case ControlId::MemSaveB: MemoriseSnapshot(); return;
    case ControlId::MemLoadB: ReplaySnapshot(); return;
    default: return;
    }

    controls.SetCursor(Sender == ControlId::PenB ? EditCursor::Arrow : EditCursor::Hand);
    // Pen strokes take no undo copy, so a copy from before them would bring
    // back a chip without them: choosing the pen gives the copy up.
    if (Sender == ControlId::PenB) UndoAvailable = false;
    Def.ToolMode = mode;
    controls.SetPressedTool(Sender);
    DrawChip(CurCol, CurRow, true);
    // Removes the preview of an unfinished ellipse or line.
    RefreshEditArea();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The four tool buttons and the two memory buttons, told apart by the sender.
#include <algorithm>

#include "edit/EditorForm.h"

void EditorForm::ToolButtonClick(ControlId Sender) {
    if (Sender == ControlId::MemSaveB) return MemoriseSnapshot();
    if (Sender == ControlId::MemLoadB) return ReplaySnapshot();
    const auto tool = std::find_if(tool_mode::Buttons.begin(), tool_mode::Buttons.end(),
                                   [Sender](const tool_mode::ButtonMode& b) { return b.button == Sender; });
    if (tool == tool_mode::Buttons.end()) return;
    const std::int32_t mode = tool->mode;

    controls.SetCursor(Sender == ControlId::PenB ? EditCursor::Arrow : EditCursor::Hand);
    // Pen strokes take no undo copy, so a copy from before them would bring
    // back a chip without them: choosing the pen gives the copy up.
    if (Sender == ControlId::PenB) project.history.DropOneLevel();
    Def.ToolMode = mode;
    controls.SetPressedTool(Sender);
    ShowEditedOnSheet();
    // Removes the preview of an unfinished ellipse or line.
    RefreshEditArea();
}

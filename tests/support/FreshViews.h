// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Form.h"
#include "edit/EditorForm.h"

// What the views would show if they were redrawn from the chips now; the
// views themselves are left as they were. Handlers that repaint only what
// they touched must leave the same pixels as these full redraws.
inline canvas::Picture FreshEditArea(EditorForm& form) {
    const canvas::Picture shown = form.EditI;
    form.RefreshEditArea();
    canvas::Picture fresh = form.EditI;
    form.EditI = shown;
    return fresh;
}

inline canvas::Picture FreshSheetView(EditorForm& form) {
    const canvas::Picture shown = form.ScreenI;
    form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows);
    canvas::Picture fresh = form.ScreenI;
    form.ScreenI = shown;
    return fresh;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlAction.h"

#include "core/ControlTable.h"
#include "ui/Language.h"

namespace ui {

void ShowControlOnAction(const Controls& controls, ControlId id, QAction& action) {
    const ControlKind kind = InfoOf(id).kind;
    if (kind != ControlKind::Menu && kind != ControlKind::MenuItem) return;
    action.setText(CaptionText(controls.Caption(id)));
    action.setEnabled(controls.Enabled(id));
    if (kind == ControlKind::Menu) return;
    action.setVisible(controls.Visible(id));
    if (controls.Checked(id)) action.setCheckable(true);
    if (action.isCheckable()) action.setChecked(controls.Checked(id));
}

}  // namespace ui

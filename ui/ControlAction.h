// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>

#include "core/Controls.h"

namespace ui {

// Shows on a menu's or menu item's action what the editor holds for that
// control: its caption and whether it is enabled, and for an item also
// whether it is shown and its check mark (an item the editor checks becomes
// checkable). Other kinds of control are left alone.
void ShowControlOnAction(const Controls& controls, ControlId id, QAction& action);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace ui {

// Tessaro's icon in every size drawn for it (data/icons), built into the
// program: the window, the task bar and the about box show it.
QIcon ApplicationIcon();

}  // namespace ui

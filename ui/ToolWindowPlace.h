// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/Preferences.h"

class QWidget;

namespace ui {

// Moves a tool window to the place kept from an earlier run, when there is
// one and it lies on a screen now; true when it did.
bool MoveToKeptPlace(QWidget& window, const std::optional<WindowPlace>& place);
// Where the window is now, as it is kept.
WindowPlace PlaceOf(const QWidget& window);

}  // namespace ui

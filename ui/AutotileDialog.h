// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/Platform.h"

class QWidget;

namespace ui {

// The autotile dialog: the source block's and the target area's top-left
// chips (column and row from 0) and the terrain's name, opened with `start`;
// nothing when cancelled.
std::optional<Platform::AutotileAnswer> AskAutotile(QWidget* parent, const Platform::AutotileAnswer& start);

}  // namespace ui

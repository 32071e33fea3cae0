// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/ChipAnimations.h"

class QWidget;

namespace ui {

// The frames of the chip being edited: how many chips along its row (1 to
// 8; 1 makes it still) and the time each shows, opened with `current`;
// nothing when cancelled.
std::optional<ChipAnimation> AskAnimation(QWidget* parent, ChipAnimation current);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/Platform.h"

class QWidget;

namespace ui {

// The board size dialog: the board's columns and rows, 1 to 256 each,
// opened with the current ones; nothing when cancelled.
std::optional<Platform::BoardSize> AskBoardSize(QWidget* parent, int cols, int rows);

}  // namespace ui

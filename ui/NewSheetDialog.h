// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "core/SheetGeometry.h"

class QWidget;

namespace ui {

// The new-sheet dialog: a preset of the shapes engines use, or the chip
// size (8 to 64, the common sizes offered first), columns and rows; opened
// with the sheet's own shape; nothing when cancelled.
std::optional<SheetGeometry> AskNewSheet(QWidget* parent, const SheetGeometry& current);

}  // namespace ui

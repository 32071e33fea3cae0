// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

#include "core/Controls.h"

namespace ui {

constexpr int GlyphSize = 24;

// The 24 x 24 glyph of a tool button (PenB, FillB, CircleB, LineB) on a
// transparent background; a null pixmap for any other control.
QPixmap ToolGlyph(ControlId button);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QMouseEvent>

#include "core/ShiftState.h"

namespace ui {

// The keys and buttons held at a mouse event, as the editor's handlers see
// them: the buttons held (a press includes its own button), Shift, Ctrl and
// Alt, and Double for the second press of a double click.
ShiftState ShiftStateOf(const QMouseEvent& event);

// The button of a press; nothing for buttons the editor does not know.
std::optional<MouseButton> MouseButtonOf(const QMouseEvent& event);

// The event's position in the receiving widget's pixels, also outside it
// while the mouse is grabbed.
QPoint PixelOf(const QMouseEvent& event);

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShiftStateOfEvent.h"

#include <cmath>

namespace ui {

ShiftState ShiftStateOf(const QMouseEvent& event) {
    ShiftState state;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ShiftModifier) state = state.With(ShiftKey::Shift);
    if (modifiers & Qt::AltModifier) state = state.With(ShiftKey::Alt);
    if (modifiers & Qt::ControlModifier) state = state.With(ShiftKey::Ctrl);

    Qt::MouseButtons buttons = event.buttons();
    // A press or double click always holds its own button, whatever the
    // platform reported as held.
    if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick)
        buttons |= event.button();
    if (buttons & Qt::LeftButton) state = state.With(ShiftKey::Left);
    if (buttons & Qt::RightButton) state = state.With(ShiftKey::Right);
    if (buttons & Qt::MiddleButton) state = state.With(ShiftKey::Middle);

    if (event.type() == QEvent::MouseButtonDblClick) state = state.With(ShiftKey::Double);
    return state;
}

std::optional<MouseButton> MouseButtonOf(const QMouseEvent& event) {
    switch (event.button()) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return std::nullopt;
    }
}

QPoint PixelOf(const QMouseEvent& event) {
    // Floor, not round: a pointer half a pixel left of the widget is at -1.
    const QPointF p = event.position();
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

}  // namespace ui

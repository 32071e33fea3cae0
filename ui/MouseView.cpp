// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MouseView.h"

#include <QMouseEvent>

#include "ui/ShiftStateOfEvent.h"

namespace ui {

void MouseView::mousePressEvent(QMouseEvent* event) {
    const auto button = MouseButtonOf(*event);
    if (!button || !onPress_) return;
    const QPoint p = PixelUnder(*event);
    onPress_(*button, ShiftStateOf(*event), p.x(), p.y());
}

void MouseView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void MouseView::mouseMoveEvent(QMouseEvent* event) {
    if (!onMove_) return;
    const QPoint p = PixelUnder(*event);
    onMove_(ShiftStateOf(*event), p.x(), p.y());
}

}  // namespace ui

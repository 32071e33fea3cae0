// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolWindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

bool MoveToKeptPlace(QWidget& window, const std::optional<WindowPlace>& place) {
    if (!place) return false;
    // A screen that is gone (a second monitor unplugged) would show it
    // nowhere: then it opens where it would without a kept place.
    const QPoint at(place->x, place->y);
    const QScreen* screen = QGuiApplication::screenAt(at + QPoint(16, 16));
    if (screen == nullptr) return false;
    window.move(at);
    return true;
}

WindowPlace PlaceOf(const QWidget& window) { return {window.pos().x(), window.pos().y()}; }

}  // namespace ui

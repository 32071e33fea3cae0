// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolButton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace ui {

namespace {

// The selection colour mixed into the button face: light enough for the
// glyph's black and blue to stand out on it.
QColor Mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() * (1 - share) + b.redF() * share),
                            float(a.greenF() * (1 - share) + b.greenF() * share),
                            float(a.blueF() * (1 - share) + b.blueF() * share));
}

}  // namespace

ToolButton::ToolButton(QWidget* parent) : QToolButton(parent) {}

void ToolButton::paintEvent(QPaintEvent* event) {
    if (!isChecked()) {
        QToolButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor face = Mix(palette().color(QPalette::Button), highlight, 0.35);
    option.palette.setColor(QPalette::Button, face);
    option.palette.setColor(QPalette::Window, face);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), face);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    painter.setPen(QPen(highlight, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

}  // namespace ui

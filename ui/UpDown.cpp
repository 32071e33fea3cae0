// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpDown.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace ui {

namespace {

constexpr int FirstRepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 100;

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    repeat_.setInterval(FirstRepeatDelayMs);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(RepeatIntervalMs);
        Step();
    });
}

QRect UpDown::UpArrowRect() const { return QRect(0, 0, width(), height() / 2); }
QRect UpDown::DownArrowRect() const { return QRect(0, height() / 2, width(), height() - height() / 2); }

void UpDown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect halves[2] = {UpArrowRect(), DownArrowRect()};
    const QStyle::PrimitiveElement arrows[2] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        const bool down = held_ != Qt::NoButton && direction_ == (i == 0 ? 1 : -1);
        button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(arrows[i], &arrow, &painter, this);
    }
}

void UpDown::Step() {
    if (onStep_) onStep_(direction_);
}

void UpDown::mousePressEvent(QMouseEvent* event) {
    // Only the left button steps, as on the platform's own control.
    if (held_ != Qt::NoButton || event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    if (UpArrowRect().contains(p))
        direction_ = 1;
    else if (DownArrowRect().contains(p))
        direction_ = -1;
    else
        return;
    held_ = event->button();
    update();
    Step();
    repeat_.setInterval(FirstRepeatDelayMs);
    repeat_.start();
}

void UpDown::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != held_) return;
    repeat_.stop();
    held_ = Qt::NoButton;
    update();
    if (onRelease_) onRelease_();
}

}  // namespace ui

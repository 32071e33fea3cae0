// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QPoint>
#include <QWidget>

#include "core/ShiftState.h"

class QMouseEvent;

namespace ui {

// A view that hands its mouse presses and moves to the editor, in the
// pixels of what it shows. Qt reports the second press of a double click
// as a double click; the editor sees it as a press marked Double.
class MouseView : public QWidget {
    Q_OBJECT
public:
    using PressHandler = std::function<void(MouseButton, ShiftState, int, int)>;
    using MoveHandler = std::function<void(ShiftState, int, int)>;

    using QWidget::QWidget;

    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }
    void OnMove(MoveHandler handler) { onMove_ = std::move(handler); }

protected:
    // The pixel of the shown picture under the event's position.
    virtual QPoint PixelUnder(const QMouseEvent& event) const = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PressHandler onPress_;
    MoveHandler onMove_;
};

}  // namespace ui

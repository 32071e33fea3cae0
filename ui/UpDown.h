// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QTimer>
#include <QWidget>

namespace ui {

// An up-down control: two arrow buttons stacked, without a number of its
// own (the position lives in the editor's controls). A press on an arrow
// steps at once (and again while held, like the platform's control); the
// release of that button, wherever it happens, is reported as the release.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent);

    // +1 for the upper arrow, -1 for the lower one.
    void OnStep(std::function<void(int)> handler) { onStep_ = std::move(handler); }
    void OnRelease(std::function<void()> handler) { onRelease_ = std::move(handler); }

    QRect UpArrowRect() const;
    QRect DownArrowRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Step();

    std::function<void(int)> onStep_;
    std::function<void()> onRelease_;
    QTimer repeat_;
    Qt::MouseButton held_ = Qt::NoButton;
    int direction_ = 0;
};

}  // namespace ui

#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

#include "canvas/Picture.h"
#include "core/ShiftState.h"

namespace ui {

// Shows one of the editor's view pictures 1:1, without smoothing, and hands
// its mouse presses and moves to the editor in the view's own pixels. It
// keeps a Qt copy of the picture and renews only the part the editor marked
// changed, so that a pen stroke repaints just the cells it touched.
class PictureView : public QWidget {
    Q_OBJECT
public:
    using PressHandler = std::function<void(MouseButton, ShiftState, int, int)>;
    using MoveHandler = std::function<void(ShiftState, int, int)>;

    PictureView(canvas::Picture& picture, QWidget* parent);

    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }
    void OnMove(MoveHandler handler) { onMove_ = std::move(handler); }

    // Takes over what changed in the picture since the last call (its size or
    // its dirty rectangle), schedules the repaint of just that, and clears the
    // picture's dirty mark.
    void ShowChanges();

    // What the view shows now.
    const QImage& Shown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    canvas::Picture& picture_;
    QImage shown_;
    PressHandler onPress_;
    MoveHandler onMove_;
};

}  // namespace ui

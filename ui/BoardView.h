#pragma once

#include <functional>

#include <QWidget>

#include "canvas/Picture.h"
#include "core/ShiftState.h"

class TForm1;

namespace ui {

// The try-out board's view BoardI. The board keeps no picture (a large one
// at zoom 4 would take a gigabyte), so the view draws what it paints from
// the board's cells and the chips, and only the part Qt asks for: the
// visible part of the cells the board marked changed.
class BoardView : public QWidget {
    Q_OBJECT
public:
    using PressHandler = std::function<void(MouseButton, ShiftState, int, int)>;
    using MoveHandler = std::function<void(ShiftState, int, int)>;

    BoardView(const TForm1& form, QWidget* parent);

    void OnPress(PressHandler handler) { onPress_ = std::move(handler); }
    void OnMove(MoveHandler handler) { onMove_ = std::move(handler); }

    // Schedules the repaint of what the board marked changed (its size, its
    // zoom, or single cells) and clears the board's marks.
    void ShowChanges(TForm1& form);

    // What the view shows in `area` now, drawn as paintEvent draws it.
    QImage Shown(const QRect& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    const TForm1& form_;
    mutable canvas::Picture part_;  // scratch for drawing a part
    PressHandler onPress_;
    MoveHandler onMove_;
};

}  // namespace ui

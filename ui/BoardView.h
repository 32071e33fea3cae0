// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/Picture.h"
#include "ui/MouseView.h"

class EditorForm;

namespace ui {

// The try-out board's view BoardI. The board keeps no picture (a large one
// at zoom 4 would take a gigabyte), so the view draws what it paints from
// the board's cells and the chips, and only the part Qt asks for: the
// visible part of the cells the board marked changed.
class BoardView : public MouseView {
    Q_OBJECT
public:
    BoardView(const EditorForm& form, QWidget* parent);

    // Schedules the repaint of what the board marked changed (its size, its
    // zoom, or single cells) and clears the board's marks.
    void ShowChanges(EditorForm& form);

    // What the view shows in `area` now, drawn as paintEvent draws it.
    QImage Shown(const QRect& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    QPoint PixelUnder(const QMouseEvent& event) const override;

private:
    const EditorForm& form_;
    mutable canvas::Picture part_;  // scratch for drawing a part
};

}  // namespace ui

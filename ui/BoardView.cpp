// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BoardView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "ui/PictureImage.h"
#include "ui/ShiftStateOfEvent.h"

namespace ui {

BoardView::BoardView(const EditorForm& form, QWidget* parent) : MouseView(parent), form_(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(form.project.Board.ViewWidth(), form.project.Board.ViewHeight());
}

void BoardView::ShowChanges(EditorForm& form) {
    TryOutBoard& board = form.project.Board;
    form.FollowChipsOnBoard();
    if (board.AllDirty()) {
        setFixedSize(board.ViewWidth(), board.ViewHeight());
        update();
    } else if (!board.DirtyCells().empty()) {
        // Cells out of sight are drawn when they come into sight.
        const QRect seen = visibleRegion().boundingRect();
        for (const BoardCell& cell : board.DirtyCells()) {
            const QRect r = QRectOf(board.CellRect(cell));
            if (r.intersects(seen)) update(r);
        }
    }
    board.ClearDirty();
}

QImage BoardView::Shown(const QRect& area) const {
    form_.project.Board.Draw(part_, {area.left(), area.top(), area.right() + 1, area.bottom() + 1},
                             form_.project.Sheet.Chips(), form_.ShownSlots, form_.project.Sheet.TransparentColor);
    return ImageOfPicture(part_);
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), Shown(r));
}

QPoint BoardView::PixelUnder(const QMouseEvent& event) const { return PixelOf(event); }

}  // namespace ui

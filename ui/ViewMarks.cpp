// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ViewMarks.h"

#include <algorithm>

#include <QPainter>
#include <QPolygonF>

#include "core/Form.h"

namespace ui {

namespace {

const QColor Light(255, 255, 255);
const QColor Dark(0, 0, 0);

}  // namespace

void PaintAnimatedChipMarks(QPainter& painter, qreal pixel, const TForm1& form) {
    if (!form.Options.animation) return;
    const int s = form.Def.ChipSize;
    // With the grid shown its lines cover each chip's first row and column.
    const int inset = form.Def.SheetGridShown ? 1 : 0;
    // A quarter of the chip each way, and never too small to see.
    const qreal leg = std::max(3, s / 4 + 1) * pixel;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Dark, 1));
    painter.setBrush(Light);
    for (const auto& [slot, animation] : form.project.Sheet.Animations.All()) {
        const ChipRef first = sheet::ChipOfSlot(slot);
        if (first.row >= form.Def.SheetRows) continue;
        for (int f = 0; f < animation.frames && first.col + f < form.Def.SheetCols; ++f) {
            const QPointF corner(((first.col + f) * s + inset) * pixel, (first.row * s + inset) * pixel);
            painter.drawPolygon(QPolygonF({corner, corner + QPointF(leg, 0), corner + QPointF(0, leg)}));
        }
    }
}

void PaintMiddleChipMarks(QPainter& painter, qreal pixel, const TForm1& form) {
    if (!form.Options.tileNeighbours) return;
    // The middle chip (or block) of three each way.
    const int zoom = form.Options.tileZoom;
    const qreal left = form.EditCols() * form.Def.ChipSize * zoom * pixel;
    const qreal top = form.EditRows() * form.Def.ChipSize * zoom * pixel;
    const qreal right = 2 * left, bottom = 2 * top;
    const qreal arm = std::max<qreal>(4, std::min(left, top) / 4);
    // Each corner: a light bracket on the middle's edge pixels, a dark one
    // just outside them, both `arm` long.
    auto bracket = [&](qreal x, qreal y, int dx, int dy) {
        for (int ring = 0; ring < 2; ++ring) {
            const qreal out = ring;
            const qreal cx = dx > 0 ? x - out : x - 1 + out;
            const qreal cy = dy > 0 ? y - out : y - 1 + out;
            const QColor& colour = ring == 0 ? Light : Dark;
            const qreal length = arm + out;
            painter.fillRect(QRectF(dx > 0 ? cx : cx - length + 1, cy, length, 1), colour);
            painter.fillRect(QRectF(cx, dy > 0 ? cy : cy - length + 1, 1, length), colour);
        }
    };
    bracket(left, top, 1, 1);
    bracket(right, top, -1, 1);
    bracket(left, bottom, 1, -1);
    bracket(right, bottom, -1, -1);
}

}  // namespace ui

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {

namespace {

const QColor Ink(0, 0, 0);
const QColor Paint(0, 0, 255);

// A fountain-pen nib, tip down: a shoulder at the top, the slit down the
// middle ending in a breather hole.
void DrawPenNib(QPainter& p) {
    QPainterPath nib;
    nib.moveTo(8, 1);
    nib.lineTo(16, 1);
    nib.lineTo(16, 8);
    nib.lineTo(19, 12);
    nib.lineTo(12, 23);
    nib.lineTo(5, 12);
    nib.lineTo(8, 8);
    nib.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(64, 64, 64));
    p.drawPath(nib);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(8, 1, 8, 6);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(12, 14), QPointF(12, 21));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(12, 12.5), 1.6, 1.6);
}

// A bucket tipped to the right, its mouth facing the puddle below, blue
// paint running out of it into the puddle.
void DrawBucket(QPainter& p) {
    p.setPen(QPen(Paint, 1));
    p.setBrush(Paint);
    p.drawEllipse(QRectF(9.5, 18.5, 13, 4.5));
    QPainterPath stream;
    stream.moveTo(12.5, 9);
    stream.cubicTo(16.5, 10, 17.5, 14, 17, 20);
    stream.lineTo(15, 20);
    stream.cubicTo(15.5, 15, 14.5, 12.5, 11.5, 11.5);
    stream.closeSubpath();
    p.drawPath(stream);

    p.save();
    p.translate(7.5, 10);
    p.rotate(60);
    QPainterPath bucket;
    bucket.moveTo(-5.5, -5);
    bucket.lineTo(5.5, -5);
    bucket.lineTo(4, 6);
    bucket.lineTo(-4, 6);
    bucket.closeSubpath();
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(200, 200, 200));
    p.drawPath(bucket);
    p.setBrush(Paint);
    p.drawEllipse(QRectF(-5.5, -6.5, 11, 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-7, -3, 14, 12), 180 * 16, 180 * 16);
    p.restore();
}

void DrawDisc(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
}

void DrawDiagonal(QPainter& p) {
    p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(2, 2), QPointF(21, 21));
}

}  // namespace

QPixmap ToolGlyph(ControlId button) {
    void (*draw)(QPainter&) = nullptr;
    switch (button) {
        case ControlId::PenB: draw = DrawPenNib; break;
        case ControlId::FillB: draw = DrawBucket; break;
        case ControlId::CircleB: draw = DrawDisc; break;
        case ControlId::LineB: draw = DrawDiagonal; break;
        default: return QPixmap();
    }
    QPixmap glyph(GlyphSize, GlyphSize);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return glyph;
}

}  // namespace ui

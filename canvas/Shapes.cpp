// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "canvas/Picture.h"
#include "canvas/Primitives.h"

namespace canvas {

void Picture::Polyline(Point a, Point b) {
    const Colour pen = pen_;
    if (a.x == b.x && a.y != b.y) {
        // A vertical line, as grids have many of: one pixel per row, from a
        // towards b with b excluded, written as a column.
        if (a.x < 0 || a.x >= width_) return;
        const std::int64_t top = a.y < b.y ? a.y : std::int64_t{b.y} + 1;
        const std::int64_t bottom = a.y < b.y ? b.y : std::int64_t{a.y} + 1;
        const int from = static_cast<int>(std::max<std::int64_t>(top, 0));
        const int to = static_cast<int>(std::min<std::int64_t>(bottom, height_));
        if (from >= to) return;
        for (int y = from; y < to; ++y) RowPtr(y)[a.x] = pen;
        MarkDirty(Rect{a.x, from, a.x + 1, to});
        return;
    }
    if (a.y == b.y && a.x != b.x) {
        // A horizontal line: one span, from a towards b with b excluded.
        const std::int64_t left = a.x < b.x ? a.x : std::int64_t{b.x} + 1;
        const std::int64_t right = a.x < b.x ? b.x : std::int64_t{a.x} + 1;
        return WriteSpan(a.y, left, right, pen);
    }
    primitives::TraceLine(a.x, a.y, b.x, b.y, width_, height_,
                          [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { WriteSpan(y, x0, x1, pen); });
}

void Picture::MoveTo(int x, int y) { position_ = Point{x, y}; }

void Picture::LineTo(int x, int y) {
    Polyline(position_, Point{x, y});
    position_ = Point{x, y};
}

void Picture::Ellipse(int x1, int y1, int x2, int y2) {
    const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    const Colour pen = pen_, brush = brush_;
    primitives::TraceEllipse(
        left, top, right, bottom, height_,
        [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { WriteSpan(y, x0, x1, pen); },
        [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { WriteSpan(y, x0, x1, brush); });
}

}  // namespace canvas

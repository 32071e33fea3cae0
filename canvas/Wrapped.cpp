// SPDX-License-Identifier: GPL-3.0-or-later
// The wrap-around (torus) variants of the canvas operations. They trace the
// same pixels as the plain operations and differ only in where a pixel past
// an edge goes, so a shape drawn at an offset equals the shape drawn at the
// origin and then rotated by that offset.
#include <algorithm>

#include "canvas/Picture.h"
#include "canvas/Primitives.h"

namespace canvas {

void Picture::WriteSpanWrapped(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c) {
    if (IsEmpty() || x1 <= x0) return;
    const int row = Wrapped(y, height_);
    if (x1 - x0 >= width_) {
        WriteSpan(row, 0, width_, c);
        return;
    }
    const std::int64_t start = Wrapped(x0, width_);
    const std::int64_t end = start + (x1 - x0);
    WriteSpan(row, start, std::min<std::int64_t>(end, width_), c);
    if (end > width_) WriteSpan(row, 0, end - width_, c);
}

void Picture::PolylineWrapped(Point a, Point b) {
    if (IsEmpty()) return;
    // Traced in a window that holds the whole line, then taken round.
    const std::int64_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const std::int64_t width = std::min<std::int64_t>(std::int64_t{std::max(a.x, b.x)} - left + 1, WrappedExtent);
    const std::int64_t height = std::min<std::int64_t>(std::int64_t{std::max(a.y, b.y)} - top + 1, WrappedExtent);
    const Colour pen = pen_;
    primitives::TraceLine(a.x - left, a.y - top, b.x - left, b.y - top, width, height,
                          [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                              WriteSpanWrapped(y + top, x0 + left, x1 + left, pen);
                          });
}

void Picture::LineToWrapped(int x, int y) {
    PolylineWrapped(position_, Point{x, y});
    position_ = Point{x, y};
}

void Picture::EllipseWrapped(int x1, int y1, int x2, int y2) {
    if (IsEmpty()) return;
    const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
    const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    const std::int64_t rows = std::min(bottom - top, WrappedExtent);
    const Colour pen = pen_, brush = brush_;
    // Rows are traced from the box's top at 0 and put back where they belong.
    primitives::TraceEllipse(
        left, 0, right, bottom - top, rows,
        [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { WriteSpanWrapped(y + top, x0, x1, pen); },
        [&](std::int64_t y, std::int64_t x0, std::int64_t x1) { WriteSpanWrapped(y + top, x0, x1, brush); });
}

void Picture::DrawWrapped(int x, int y, const Picture& src) {
    if (IsEmpty()) return;
    const int dx = Wrapped(x, width_), dy = Wrapped(y, height_);
    Draw(dx, dy, src);
    if (dx > 0) Draw(dx - width_, dy, src);
    if (dy > 0) Draw(dx, dy - height_, src);
    if (dx > 0 && dy > 0) Draw(dx - width_, dy - height_, src);
}

}  // namespace canvas

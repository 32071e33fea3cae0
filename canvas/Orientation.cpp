// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Orientation.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace canvas {

Picture Oriented(const Picture& picture, Orientation o) {
    const bool diagonal = Has(o, Orientation::Diagonal);
    const int width = diagonal ? picture.Height() : picture.Width();
    const int height = diagonal ? picture.Width() : picture.Height();
    Picture shown(width, height);
    std::vector<Colour> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Point from = SourceOf(o, x, y, width, height);
            row[static_cast<std::size_t>(x)] = picture.Row(from.y)[static_cast<std::size_t>(from.x)];
        }
        shown.SetRow(y, row);
    }
    shown.ClearDirty();
    return shown;
}

void Picture::StretchDrawOriented(const Rect& dest, const Picture& src, Orientation o) {
    if (o == Orientation::AsIs) return StretchDraw(dest, src);
    using i64 = std::int64_t;
    const i64 dw = i64{dest.right} - dest.left, dh = i64{dest.bottom} - dest.top;
    if (dw <= 0 || dh <= 0 || src.IsEmpty() || IsEmpty()) return;
    if (&src == this) {
        const Picture snapshot = src;
        return StretchDrawOriented(dest, snapshot, o);
    }
    const i64 x0 = std::max<i64>(dest.left, 0), x1 = std::min<i64>(dest.right, width_);
    const i64 y0 = std::max<i64>(dest.top, 0), y1 = std::min<i64>(dest.bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;
    const bool diagonal = Has(o, Orientation::Diagonal);
    const i64 shownWidth = diagonal ? src.height_ : src.width_;
    const i64 shownHeight = diagonal ? src.width_ : src.height_;
    // A source pixel's index is the sum of a part that follows the target
    // column and a part that follows the target row: the diagonal makes the
    // column pick the source row and the row pick the source column.
    const auto part = [&](i64 shown, bool mirrored, i64 extent, bool picksRow) {
        const i64 at = mirrored ? extent - 1 - shown : shown;
        return picksRow ? at * src.width_ : at;
    };
    const std::size_t n = static_cast<std::size_t>(x1 - x0);
    std::vector<i64> columns(n);
    for (std::size_t i = 0; i < n; ++i) {
        const i64 shownX = (x0 + static_cast<i64>(i) - dest.left) * shownWidth / dw;
        columns[i] = part(shownX, Has(o, Orientation::Horizontal), shownWidth, diagonal);
    }
    i64 lastRowPart = -1;
    for (i64 dy = y0; dy < y1; ++dy) {
        const i64 shownY = (dy - dest.top) * shownHeight / dh;
        const i64 rowPart = part(shownY, Has(o, Orientation::Vertical), shownHeight, !diagonal);
        Colour* d = RowPtr(static_cast<int>(dy)) + x0;
        if (rowPart == lastRowPart) {
            std::memcpy(d, RowPtr(static_cast<int>(dy) - 1) + x0, n * sizeof(Colour));
            continue;
        }
        const Colour* s = src.pixels_.data() + rowPart;
        for (std::size_t i = 0; i < n; ++i) d[i] = s[columns[i]];
        lastRowPart = rowPart;
    }
    MarkDirty(Rect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1), static_cast<int>(y1)});
}

}  // namespace canvas

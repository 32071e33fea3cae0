// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstring>
#include <vector>

#include "canvas/Picture.h"

namespace canvas {

void Picture::Draw(int x, int y, const Picture& src) {
    CopyScaled(Area{x, y, std::int64_t{x} + src.width_, std::int64_t{y} + src.height_}, src,
               Area{0, 0, src.width_, src.height_});
}

void Picture::StretchDraw(const Rect& dest, const Picture& src) {
    CopyScaled(Area{dest.left, dest.top, dest.right, dest.bottom}, src, Area{0, 0, src.width_, src.height_});
}

void Picture::CopyRect(const Rect& dest, const Picture& src, const Rect& srcRect) {
    CopyScaled(Area{dest.left, dest.top, dest.right, dest.bottom}, src,
               Area{srcRect.left, srcRect.top, srcRect.right, srcRect.bottom});
}

// Target pixel (dx, dy) takes source pixel
//   (sl + (dx - dl) * sw / dw, st + (dy - dt) * sh / dh),
// nearest-neighbour repetition without blending; at equal sizes this is a
// plain copy. Only the visible part of the target is walked.
void Picture::CopyScaled(const Area& dest, const Picture& src, const Area& from) {
    using i64 = std::int64_t;
    const i64 dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const i64 sw = from.right - from.left, sh = from.bottom - from.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.IsEmpty() || IsEmpty()) return;
    if (&src == this) {
        // Overlapping copies within one picture read from a snapshot.
        const Picture snapshot = src;
        CopyScaled(dest, snapshot, from);
        return;
    }
    const i64 x0 = std::max<i64>(dest.left, 0), x1 = std::min<i64>(dest.right, width_);
    const i64 y0 = std::max<i64>(dest.top, 0), y1 = std::min<i64>(dest.bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;

    // Offset `o` of a target position scaled by s / d: exact, and in 64 bits
    // whenever the product fits, which is every size a picture really has.
    auto scaled = [](i64 o, i64 s, i64 d) -> i64 {
        if (s == d) return o;
        if (o < (i64{1} << 31) && s < (i64{1} << 31)) return o * s / d;
        return static_cast<i64>(static_cast<__int128>(o) * s / d);
    };
    // Source column of each visible target column; -1 where it is outside src.
    auto sourceColumn = [&](i64 dx) {
        const i64 sx = from.left + scaled(dx - dest.left, sw, dw);
        return sx >= 0 && sx < src.width_ ? sx : i64{-1};
    };
    auto sourceRow = [&](i64 dy) {
        const i64 sy = from.top + scaled(dy - dest.top, sh, dh);
        return sy >= 0 && sy < src.height_ ? sy : i64{-1};
    };

    // The rows written form one run (the source row grows with the target
    // row), so the changed part is one rectangle, marked once at the end.
    i64 firstRow = -1, lastRow = -1;
    auto wrote = [&](i64 dy) {
        if (firstRow < 0) firstRow = dy;
        lastRow = dy;
    };
    auto markRows = [&](i64 left, i64 right) {
        if (firstRow >= 0)
            MarkDirty(Rect{static_cast<int>(left), static_cast<int>(firstRow), static_cast<int>(right),
                           static_cast<int>(lastRow) + 1});
    };
    if (dw == sw && dh == sh) {
        // Equal sizes: each visible row is one memcpy of the part that the
        // source covers.
        const i64 c0 = std::max(x0, dest.left - from.left);
        const i64 c1 = std::min(x1, dest.left - from.left + src.width_);
        if (c0 < c1) {
            for (i64 dy = y0; dy < y1; ++dy) {
                const i64 sy = sourceRow(dy);
                if (sy < 0) continue;
                const Colour* s = src.RowPtr(static_cast<int>(sy)) + (c0 - dest.left + from.left);
                std::memcpy(RowPtr(static_cast<int>(dy)) + c0, s, static_cast<std::size_t>(c1 - c0) * sizeof(Colour));
                wrote(dy);
            }
            markRows(c0, c1);
        }
        return;
    }

    const std::size_t n = static_cast<std::size_t>(x1 - x0);
    std::vector<i64> columns(n);
    bool allColumns = true;
    for (std::size_t i = 0; i < n; ++i) {
        columns[i] = sourceColumn(x0 + static_cast<i64>(i));
        allColumns = allColumns && columns[i] >= 0;
    }
    i64 lastSource = -1;
    int lastTarget = -1;
    for (i64 dy = y0; dy < y1; ++dy) {
        const i64 sy = sourceRow(dy);
        if (sy < 0) continue;
        Colour* d = RowPtr(static_cast<int>(dy)) + x0;
        if (allColumns && sy == lastSource) {
            // Same source row as the target row just built: repeat it.
            std::memcpy(d, RowPtr(lastTarget) + x0, n * sizeof(Colour));
        } else {
            const Colour* s = src.RowPtr(static_cast<int>(sy));
            for (std::size_t i = 0; i < n; ++i)
                if (columns[i] >= 0) d[i] = s[columns[i]];
        }
        lastSource = sy;
        lastTarget = static_cast<int>(dy);
        wrote(dy);
    }
    markRows(x0, x1);
}

}  // namespace canvas

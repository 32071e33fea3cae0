// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Primitives.h"

#include <cmath>

namespace canvas::primitives {

namespace {

// Largest s with s * s <= n.
std::uint64_t SquareRootFloor(std::uint64_t n) {
    auto s = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
    while (s > 0 && static_cast<unsigned __int128>(s) * s > n) --s;
    while (static_cast<unsigned __int128>(s + 1) * (s + 1) <= n) ++s;
    return s;
}

}  // namespace

RowSpan EllipseRow(i64 left, i64 top, i64 right, i64 bottom, i64 y) {
    if (y < top || y >= bottom || right <= left) return {};
    // Doubled coordinates put pixel centres and box edges on integers: the
    // centre of pixel x is 2x+1, the box runs from 2*left to 2*right, and the
    // half-axes of the inscribed ellipse are the box's width and height.
    const i64 a = right - left, b = bottom - top;
    const i64 dy = std::abs(2 * y + 1 - (top + bottom));
    i64 dx;  // largest doubled distance from the centre column inside
    if (dy <= 1) {
        // The middle row (or the two middle rows) spans the whole width, so
        // that even a flat box is touched on its left and right sides.
        dx = a - 1;
    } else {
        if (a <= (i64{1} << 15) && b <= (i64{1} << 15)) {
            // Same as below; every product fits in 64 bits.
            const i64 b2 = b * b, rhs = a * a * (b2 - dy * dy);
            dx = static_cast<i64>(std::sqrt(static_cast<double>(rhs) / static_cast<double>(b2)));
            while (dx > 0 && dx * dx * b2 > rhs) --dx;
            while ((dx + 1) * (dx + 1) * b2 <= rhs) ++dx;
        } else if (a <= (i64{1} << 30) && b <= (i64{1} << 30)) {
            // Exact: dx^2 * b^2 <= a^2 * (b^2 - dy^2).
            const __int128 num =
                static_cast<__int128>(a) * a * (static_cast<__int128>(b) * b - static_cast<__int128>(dy) * dy);
            const __int128 den = static_cast<__int128>(b) * b;
            dx = static_cast<i64>(SquareRootFloor(static_cast<std::uint64_t>(num / den)));
        } else {
            const long double t = static_cast<long double>(dy) / static_cast<long double>(b);
            dx = static_cast<i64>(static_cast<long double>(a) * std::sqrt(1.0L - t * t));
        }
        // Columns come in steps of 2 from the centre, which lies on a pixel
        // centre for an odd width and between two pixels for an even one.
        if (((dx ^ (a - 1)) & 1) != 0) --dx;
        // Every row of the box keeps at least its middle pixel(s), so that
        // the top and bottom sides are touched and the shape stays connected.
        dx = std::max<i64>(dx, (a - 1) & 1);
    }
    const i64 centre2 = left + right;
    return {(centre2 - dx - 1) / 2, (centre2 + dx - 1) / 2};
}

}  // namespace canvas::primitives

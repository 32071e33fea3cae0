// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rasterisation of lines and ellipses into horizontal spans. The tracers only
// compute which pixels belong to a shape; they hand each run of pixels in one
// row to a callback `span(y, x0, x1)` (x1 excluded), and the picture's single
// span writer clips and paints them. Only rows and columns inside the given
// window are traced, so a shape of any size costs no more than its visible
// part.

#include <algorithm>
#include <cstdint>

namespace canvas::primitives {

using i64 = std::int64_t;

// Position along the minor axis of a line, after `step` steps along the major
// axis: the minor offset rounded to the nearest pixel, halves rounding away
// from the start. `major` > 0 and 0 <= `minor` <= `major`.
inline i64 MinorOffset(i64 step, i64 major, i64 minor) {
    const __int128 num = static_cast<__int128>(2) * step * minor + major;
    return static_cast<i64>(num / (2 * static_cast<__int128>(major)));
}

// The first i in [lo, hi) for which holds(i) is false, or hi; holds must be
// true on a prefix of the range and false after it.
template <class Predicate>
i64 FirstFailing(i64 lo, i64 hi, Predicate&& holds) {
    while (lo < hi) {
        const i64 mid = lo + (hi - lo) / 2;
        if (holds(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The line from (x0, y0) towards (x1, y1) with the end point excluded, as
// 8-connected pixels (Bresenham), restricted to the window 0..width-1 by
// 0..height-1. Two equal points give no pixel.
template <class Span>
void TraceLine(i64 x0, i64 y0, i64 x1, i64 y1, i64 width, i64 height, Span&& span) {
    const i64 dx = x1 - x0, dy = y1 - y0;
    const i64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const i64 sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const i64 major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    if (major == 0) return;
    const i64 ma0 = xMajor ? x0 : y0, mi0 = xMajor ? y0 : x0;
    const i64 maStep = xMajor ? sx : sy, miStep = xMajor ? sy : sx;
    const i64 maLimit = xMajor ? width : height, miLimit = xMajor ? height : width;

    // Steps 0..major-1 are drawn; keep those whose major coordinate is inside.
    auto stepsInside = [](i64 start, i64 dir, i64 limit, i64 count, i64& lo, i64& hi) {
        // start + dir * i in [0, limit) for i in [lo, hi).
        if (dir > 0) {
            lo = std::max<i64>(lo, -start);
            hi = std::min<i64>(hi, limit - start);
        } else {
            lo = std::max<i64>(lo, start - limit + 1);
            hi = std::min<i64>(hi, start + 1);
        }
        hi = std::min(hi, count);
    };
    i64 lo = 0, hi = major;
    stepsInside(ma0, maStep, maLimit, major, lo, hi);
    if (lo >= hi) return;
    // The minor coordinate moves monotonically, so the steps where it is
    // inside form one interval too; find its ends by bisection.
    auto minorAt = [&](i64 i) { return mi0 + miStep * MinorOffset(i, major, minor); };
    auto inside = [&](i64 i) {
        const i64 m = minorAt(i);
        return m >= 0 && m < miLimit;
    };
    auto before = [&](i64 i) {  // minor coordinate not yet reached the window
        const i64 m = minorAt(i);
        return miStep > 0 ? m < 0 : m >= miLimit;
    };
    lo = FirstFailing(lo, hi, before);  // first step not before the window
    hi = FirstFailing(lo, hi, inside);  // first step past the window
    if (lo >= hi) return;

    // Walk the visible steps with the usual error term.
    const __int128 num = static_cast<__int128>(2) * lo * minor + major;
    i64 off = static_cast<i64>(num / (2 * static_cast<__int128>(major)));
    i64 rem = static_cast<i64>(num % (2 * static_cast<__int128>(major)));
    if (xMajor) {
        // Pixels of one row form runs: hand them over whole.
        i64 runStart = ma0 + maStep * lo;
        i64 y = mi0 + miStep * off;
        for (i64 i = lo; i < hi; ++i) {
            const i64 x = ma0 + maStep * i;
            const i64 next = i + 1;
            rem += 2 * minor;
            bool rowEnds = next == hi;
            if (rem >= 2 * major) {
                rem -= 2 * major;
                ++off;
                rowEnds = true;
            }
            if (rowEnds) {
                span(y, std::min(runStart, x), std::max(runStart, x) + 1);
                runStart = x + maStep;
                y = mi0 + miStep * off;
            }
        }
    } else {
        for (i64 i = lo; i < hi; ++i) {
            const i64 x = mi0 + miStep * off;
            span(ma0 + maStep * i, x, x + 1);
            rem += 2 * minor;
            if (rem >= 2 * major) {
                rem -= 2 * major;
                ++off;
            }
        }
    }
}

// The columns first..last (both included) that the ellipse inscribed in the
// box left..right-1 by top..bottom-1 covers in row y; empty (first > last)
// for a row outside the box.
struct RowSpan {
    i64 first = 0;
    i64 last = -1;
};
RowSpan EllipseRow(i64 left, i64 top, i64 right, i64 bottom, i64 y);

// The ellipse inscribed in the box (corners in order, right and bottom
// excluded): `outline(y, x0, x1)` for the pixels of its one-pixel outline and
// `interior(y, x0, x1)` for the pixels inside it, rows 0..height-1 only.
// A pixel is outline when it belongs to the ellipse and one of its four
// neighbours does not, so the outline is a closed 8-connected ring.
template <class Outline, class Interior>
void TraceEllipse(i64 left, i64 top, i64 right, i64 bottom, i64 height, Outline&& outline, Interior&& interior) {
    if (right <= left || bottom <= top) return;
    const i64 from = std::max<i64>(top, 0), to = std::min<i64>(bottom, height);
    if (from >= to) return;
    RowSpan above = EllipseRow(left, top, right, bottom, from - 1);
    RowSpan here = EllipseRow(left, top, right, bottom, from);
    for (i64 y = from; y < to; ++y) {
        const RowSpan below = EllipseRow(left, top, right, bottom, y + 1);
        const i64 in0 = std::max({here.first + 1, above.first, below.first});
        const i64 in1 = std::min({here.last - 1, above.last, below.last});
        if (above.first > above.last || below.first > below.last || in0 > in1) {
            outline(y, here.first, here.last + 1);
        } else {
            outline(y, here.first, in0);
            interior(y, in0, in1 + 1);
            outline(y, in1 + 1, here.last + 1);
        }
        above = here;
        here = below;
    }
}

}  // namespace canvas::primitives

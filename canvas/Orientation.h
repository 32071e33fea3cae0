// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "canvas/Picture.h"

namespace canvas {

// One of the eight ways a picture can lie: three bits, in the order in which
// they are applied, Diagonal (a mirror over the top-left to bottom-right
// diagonal) first, then Horizontal (left and right swap) and Vertical (top and
// bottom swap). These are the meanings and the order of Tiled's flag bits
// 0x20000000, 0x80000000 and 0x40000000, so a map's flags convert by a shift.
enum class Orientation : std::uint8_t {
    AsIs = 0,
    Diagonal = 1,
    Vertical = 2,
    Horizontal = 4,
    // Named combinations.
    Turned90 = Horizontal | Diagonal,  // clockwise
    Turned180 = Horizontal | Vertical,
    Turned270 = Vertical | Diagonal,
    AntiDiagonal = Horizontal | Vertical | Diagonal,
};

constexpr int OrientationCount = 8;
constexpr std::array<Orientation, OrientationCount> AllOrientations = {
    Orientation::AsIs,       Orientation::Diagonal, Orientation::Vertical,  Orientation::Turned270,
    Orientation::Horizontal, Orientation::Turned90, Orientation::Turned180, Orientation::AntiDiagonal};

constexpr bool Has(Orientation o, Orientation bit) {
    return (static_cast<unsigned>(o) & static_cast<unsigned>(bit)) != 0;
}

// Where the pixel (x, y) of a picture shown in orientation o comes from, in
// the picture as it is; width and height are those of the shown picture.
constexpr Point SourceOf(Orientation o, int x, int y, int width, int height) {
    if (Has(o, Orientation::Vertical)) y = height - 1 - y;
    if (Has(o, Orientation::Horizontal)) x = width - 1 - x;
    if (Has(o, Orientation::Diagonal)) return {y, x};
    return {x, y};
}

// The orientation of a picture first laid in `first` and then, as it is then
// seen, in `then`.
constexpr Orientation Then(Orientation first, Orientation then) {
    // Two orientations are equal when they move the same three pixels of a
    // 3 x 3 square alike; the three tell all eight apart.
    constexpr Point probes[] = {{0, 1}, {1, 0}, {0, 0}};
    for (Orientation candidate : AllOrientations) {
        bool same = true;
        for (Point p : probes) {
            const Point viaThen = SourceOf(then, p.x, p.y, 3, 3);
            const Point whole = SourceOf(first, viaThen.x, viaThen.y, 3, 3);
            same = same && SourceOf(candidate, p.x, p.y, 3, 3) == whole;
        }
        if (same) return candidate;
    }
    return Orientation::AsIs;  // not reached: the eight are a group
}

// The orientation that lays a picture in orientation o back as it was.
constexpr Orientation Inverse(Orientation o) {
    for (Orientation candidate : AllOrientations)
        if (Then(o, candidate) == Orientation::AsIs) return candidate;
    return Orientation::AsIs;  // not reached
}

// The picture as it shows in orientation o (width and height swap when o has
// the diagonal). Pen, brush and dirty rectangle are those of a new picture.
Picture Oriented(const Picture& picture, Orientation o);

}  // namespace canvas

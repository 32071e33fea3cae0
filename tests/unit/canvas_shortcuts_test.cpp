// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas takes shortcuts on its busiest paths: vertical lines are written
// as a column, copies at equal size or with small offsets skip the wide
// arithmetic, and a copy marks its changed rows once. Each shortcut must give
// exactly what the general rule gives, at any position.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <random>

#include "canvas/Picture.h"

using canvas::Colour;
using canvas::Picture;
using canvas::Point;
using canvas::Rect;

namespace {

constexpr Colour Red = 0x0000FF, Black = 0x000000;

Picture Patterned(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, canvas::Rgb(x * 9, y * 13, (x * y) & 0xFF));
    p.ClearDirty();
    return p;
}

// The smallest rectangle round every pixel that differs.
Rect Changed(const Picture& before, const Picture& after) {
    Rect r{};
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x)
            if (before.GetPixel(x, y) != after.GetPixel(x, y)) r = canvas::Union(r, Rect{x, y, x + 1, y + 1});
    return r;
}

TEST(CanvasShortcuts, VerticalLinesAreTheHalfOpenColumnFromStartTowardsEnd) {
    const int ends[] = {INT_MIN, -5, -1, 0, 1, 4, 9, 10, 11, 30, INT_MAX};
    for (int x : {-1, 0, 3, 6, 7, INT_MIN, INT_MAX})
        for (int a : ends)
            for (int b : ends) {
                Picture p(7, 10);
                p.SetPenColour(Red);
                p.ClearDirty();
                p.Polyline(Point{x, a}, Point{x, b});
                const std::int64_t lo = a < b ? a : std::int64_t{b} + 1, hi = a < b ? b : std::int64_t{a} + 1;
                Rect expected{};
                for (int py = 0; py < 10; ++py)
                    for (int px = 0; px < 7; ++px) {
                        const bool on = a != b && px == x && py >= lo && py < hi;
                        ASSERT_EQ(p.GetPixel(px, py), on ? Red : Black) << x << " " << a << "->" << b;
                        if (on) expected = canvas::Union(expected, Rect{px, py, px + 1, py + 1});
                    }
                EXPECT_EQ(p.Dirty(), expected) << x << " " << a << "->" << b;
            }
}

// Target pixel (dx, dy) of dest takes source pixel
// (sl + (dx - dl) * sw / dw, st + (dy - dt) * sh / dh) where that lies in src.
TEST(CanvasShortcuts, CopiesFollowTheNearestPixelRuleAtEveryScaleAndOffset) {
    const Picture src = Patterned(16, 12);
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> small(-20, 40);
    const int wide[] = {INT_MIN, INT_MIN / 2, -3, 0, 2, INT_MAX / 2, INT_MAX};
    std::uniform_int_distribution<std::size_t> pickWide(0, std::size(wide) - 1);
    for (int n = 0; n < 3000; ++n) {
        auto coord = [&] { return n % 3 == 0 ? wide[pickWide(rng)] : small(rng); };
        Rect dest{coord(), coord(), coord(), coord()};
        Rect from{coord(), coord(), coord(), coord()};
        if (n % 4 == 1) {  // equal sizes: the plain copy
            from.right = static_cast<int>(
                std::clamp<std::int64_t>(std::int64_t{from.left} + dest.right - dest.left, INT_MIN, INT_MAX));
            from.bottom = static_cast<int>(
                std::clamp<std::int64_t>(std::int64_t{from.top} + dest.bottom - dest.top, INT_MIN, INT_MAX));
        }
        Picture p = Patterned(20, 20);
        const Picture before = p;
        p.CopyRect(dest, src, from);
        const std::int64_t dw = std::int64_t{dest.right} - dest.left, dh = std::int64_t{dest.bottom} - dest.top;
        const std::int64_t sw = std::int64_t{from.right} - from.left, sh = std::int64_t{from.bottom} - from.top;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                Colour expected = before.GetPixel(x, y);
                if (dw > 0 && dh > 0 && sw > 0 && sh > 0 && x >= dest.left && x < dest.right && y >= dest.top &&
                    y < dest.bottom) {
                    const auto sx = from.left + static_cast<std::int64_t>(
                                                    static_cast<__int128>(x - std::int64_t{dest.left}) * sw / dw);
                    const auto sy = from.top + static_cast<std::int64_t>(
                                                   static_cast<__int128>(y - std::int64_t{dest.top}) * sh / dh);
                    if (sx >= 0 && sx < 16 && sy >= 0 && sy < 12)
                        expected = src.GetPixel(static_cast<int>(sx), static_cast<int>(sy));
                }
                ASSERT_EQ(p.GetPixel(x, y), expected) << "case " << n << " at " << x << "," << y;
            }
        // The marked part covers every change and lies within the target.
        const Rect changed = Changed(before, p), dirty = p.Dirty();
        if (!changed.IsEmpty()) {
            EXPECT_EQ(canvas::Union(dirty, changed), dirty) << n;
        }
        if (!dirty.IsEmpty()) {
            EXPECT_EQ(canvas::Clip(dirty, 20, 20), dirty) << n;
        }
    }
}

TEST(CanvasShortcuts, DrawMarksExactlyTheCoveredRectangle) {
    const Picture chip = Patterned(16, 16);
    for (Point at : {Point{0, 0}, Point{-5, 3}, Point{10, -7}, Point{14, 14}, Point{-16, 0}}) {
        Picture sheet(20, 20);
        sheet.ClearDirty();
        sheet.Draw(at.x, at.y, chip);
        EXPECT_EQ(sheet.Dirty(), canvas::Clip(Rect{at.x, at.y, at.x + 16, at.y + 16}, 20, 20)) << at.x << "," << at.y;
    }
}

}  // namespace

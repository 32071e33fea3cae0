// SPDX-License-Identifier: GPL-3.0-or-later
// Properties of the wrap-around canvas operations: drawing at an offset is
// drawing at the origin and then rotating the picture by that offset, and a
// shape that stays inside the picture is drawn exactly as without wrapping.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "canvas/Picture.h"

using canvas::Colour;
using canvas::Picture;
using canvas::Point;

namespace {

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, White = 0xFFFFFF;

Picture Blank(int w, int h) {
    Picture p(w, h);
    p.SetPenColour(Red);
    p.SetBrushColour(Green);
    return p;
}

// The picture rotated by (dx, dy), pixel by pixel: the oracle of the tests.
Picture Rotated(const Picture& p, int dx, int dy) {
    Picture r = Blank(p.Width(), p.Height());
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            r.SetPixel(canvas::Wrapped(x + dx, p.Width()), canvas::Wrapped(y + dy, p.Height()), p.GetPixel(x, y));
    return r;
}

struct Sizes {
    int w, h;
};
constexpr Sizes PictureSizes[] = {{16, 16}, {7, 5}, {1, 3}};

// Runs `check` on many random offsets and coordinates for every size.
void ForRandomCases(const std::function<void(std::mt19937&, int, int, int, int)>& check) {
    std::mt19937 random(1234);
    for (const Sizes s : PictureSizes) {
        std::uniform_int_distribution<int> offset(-3 * s.w - 3, 3 * s.w + 3);
        for (int i = 0; i < 300; ++i) check(random, s.w, s.h, offset(random), offset(random));
    }
}

}  // namespace

TEST(WrapDrawing, ShapesAtAnOffsetAreTheShapesRotated) {
    ForRandomCases([](std::mt19937& random, int w, int h, int dx, int dy) {
        std::uniform_int_distribution<int> coord(-2 * w, 3 * w);
        const Point a{coord(random), coord(random)}, b{coord(random), coord(random)};
        SCOPED_TRACE(testing::Message() << w << "x" << h << " (" << a.x << "," << a.y << ")-(" << b.x << "," << b.y
                                        << ") by (" << dx << "," << dy << ")");

        Picture line = Blank(w, h), lineMoved = Blank(w, h);
        line.PolylineWrapped(a, b);
        lineMoved.PolylineWrapped({a.x + dx, a.y + dy}, {b.x + dx, b.y + dy});
        EXPECT_EQ(lineMoved, Rotated(line, dx, dy)) << "line";

        Picture ellipse = Blank(w, h), ellipseMoved = Blank(w, h);
        ellipse.EllipseWrapped(a.x, a.y, b.x, b.y);
        ellipseMoved.EllipseWrapped(a.x + dx, a.y + dy, b.x + dx, b.y + dy);
        EXPECT_EQ(ellipseMoved, Rotated(ellipse, dx, dy)) << "ellipse";

        Picture drawn = Blank(w, h);
        drawn.DrawWrapped(dx, dy, line);
        EXPECT_EQ(drawn, Rotated(line, dx, dy)) << "draw";
    });
}

TEST(WrapDrawing, FillAtAnOffsetIsTheFillRotated) {
    ForRandomCases([](std::mt19937& random, int w, int h, int dx, int dy) {
        // A picture of two colours in random blobs, so that regions touch the
        // edges in many ways.
        Picture p = Blank(w, h);
        std::bernoulli_distribution wall(0.35);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) p.SetPixel(x, y, wall(random) ? White : 0);
        const Point seed{std::uniform_int_distribution<int>(0, w - 1)(random),
                         std::uniform_int_distribution<int>(0, h - 1)(random)};
        const Colour surface = p.GetPixel(seed.x, seed.y);

        Picture filled = p;
        filled.FloodFillSurfaceWrapped(seed.x, seed.y, surface);
        Picture moved = Rotated(p, dx, dy);
        moved.SetBrushColour(Green);
        moved.FloodFillSurfaceWrapped(canvas::Wrapped(seed.x + dx, w), canvas::Wrapped(seed.y + dy, h), surface);
        EXPECT_EQ(moved, Rotated(filled, dx, dy));

        // The wrapped fill covers what the plain fill covers, and no pixel of
        // the surface colour stays next to a filled one, across edges too.
        Picture plain = p;
        plain.FloodFillSurface(seed.x, seed.y, surface);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (plain.GetPixel(x, y) == Green) {
                    EXPECT_EQ(filled.GetPixel(x, y), Green);
                }
                if (filled.GetPixel(x, y) != Green) continue;
                for (const Point n : {Point{x + 1, y}, Point{x - 1, y}, Point{x, y + 1}, Point{x, y - 1}})
                    EXPECT_NE(filled.GetPixel(canvas::Wrapped(n.x, w), canvas::Wrapped(n.y, h)), surface);
            }
        }
    });
}

TEST(WrapDrawing, ShapesInsideThePictureAreDrawnAsWithoutWrapping) {
    ForRandomCases([](std::mt19937& random, int w, int h, int, int) {
        std::uniform_int_distribution<int> x(0, w - 1), y(0, h - 1);
        const Point a{x(random), y(random)}, b{x(random), y(random)};
        Picture plain = Blank(w, h), wrapped = Blank(w, h);
        plain.Polyline(a, b);
        wrapped.PolylineWrapped(a, b);
        EXPECT_EQ(wrapped, plain);
        // The ellipse's box may reach one past the last pixel.
        plain.Ellipse(a.x, a.y, b.x + 1, b.y + 1);
        wrapped.EllipseWrapped(a.x, a.y, b.x + 1, b.y + 1);
        EXPECT_EQ(wrapped, plain);
    });
}

TEST(WrapDrawing, FarPositionsAreSafe) {
    Picture p = Blank(16, 16);
    p.PolylineWrapped({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
    p.EllipseWrapped(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    p.DrawWrapped(INT_MIN, INT_MAX, Blank(16, 16));
    Picture empty;
    empty.PolylineWrapped({0, 0}, {5, 5});
    empty.FloodFillSurfaceWrapped(0, 0, 0);
    EXPECT_TRUE(empty.IsEmpty());
}

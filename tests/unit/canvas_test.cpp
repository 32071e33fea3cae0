// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "canvas/Orientation.h"
#include "canvas/Picture.h"

using canvas::Black;
using canvas::Colour;
using canvas::Picture;
using canvas::Point;
using canvas::Rect;
using Pixels = std::set<std::pair<int, int>>;

namespace {

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

// A black picture with a red pen and a green brush, nothing marked dirty.
Picture Blank(int w, int h) {
    Picture p(w, h);
    p.SetPenColour(Red);
    p.SetBrushColour(Green);
    p.ClearDirty();
    return p;
}

Picture Random(std::mt19937& rng, int w, int h, std::vector<Colour> colours) {
    Picture p(w, h);
    std::uniform_int_distribution<std::size_t> pick(0, colours.size() - 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, colours[pick(rng)]);
    return p;
}

Pixels PixelsOf(const Picture& p, Colour c) {
    Pixels out;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.GetPixel(x, y) == c) out.insert({x, y});
    return out;
}

bool EightConnected(const Pixels& pixels) {
    if (pixels.empty()) return true;
    Pixels seen{*pixels.begin()};
    std::vector<std::pair<int, int>> todo{*pixels.begin()};
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (pixels.count({x + dx, y + dy}) && seen.insert({x + dx, y + dy}).second)
                    todo.push_back({x + dx, y + dy});
    }
    return seen.size() == pixels.size();
}

// Slow but plainly right: a 4-neighbour walk with a visited list.
Picture ReferenceFill(Picture p, int x, int y, Colour surface) {
    if (!p.Contains(x, y) || p.GetPixel(x, y) != surface || surface == p.BrushColour()) return p;
    std::vector<Point> todo{Point{x, y}};
    Pixels seen{{x, y}};
    while (!todo.empty()) {
        const Point q = todo.back();
        todo.pop_back();
        p.SetPixel(q.x, q.y, p.BrushColour());
        for (Point n : {Point{q.x + 1, q.y}, Point{q.x - 1, q.y}, Point{q.x, q.y + 1}, Point{q.x, q.y - 1}})
            if (p.Contains(n.x, n.y) && p.GetPixel(n.x, n.y) == surface && seen.insert({n.x, n.y}).second)
                todo.push_back(n);
    }
    return p;
}

}  // namespace

TEST(CanvasPicture, SetSizeKeepsTopLeftAndGrowsBlack) {
    std::mt19937 rng(1);
    Picture p = Random(rng, 5, 4, {Red, Green, Blue});
    const Picture old = p;
    p.ClearDirty();
    p.SetSize(7, 2);
    EXPECT_EQ(p.Dirty(), (Rect{0, 0, 7, 2}));
    p.SetSize(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(p.GetPixel(x, y), x < 5 && y < 2 ? old.GetPixel(x, y) : Black);
    p.SetSize(-3, 4);
    EXPECT_TRUE(p.IsEmpty());
}

TEST(CanvasPicture, FillAndFrameUseTheBrushInsideTheRaster) {
    Picture p = Blank(10, 10);
    p.FillRect(Rect{-5, 8, 3, 20});
    p.FillRect(Rect{6, 6, 4, 9});  // reversed: empty
    EXPECT_EQ(PixelsOf(p, Green), (Pixels{{0, 8}, {1, 8}, {2, 8}, {0, 9}, {1, 9}, {2, 9}}));
    p.SetBrushColour(Blue);
    p.FrameRect(Rect{2, 1, 6, 5});
    p.FrameRect(Rect{8, 1, 9, 3});  // one column wide: the column itself
    EXPECT_EQ(PixelsOf(p, Blue), (Pixels{{2, 1},
                                         {3, 1},
                                         {4, 1},
                                         {5, 1},
                                         {2, 4},
                                         {3, 4},
                                         {4, 4},
                                         {5, 4},
                                         {2, 2},
                                         {2, 3},
                                         {5, 2},
                                         {5, 3},
                                         {8, 1},
                                         {8, 2}}));
    EXPECT_TRUE(PixelsOf(p, Red).empty());
}

TEST(CanvasLine, EndPointExcludedAndEqualPointsDrawNothing) {
    Picture p = Blank(8, 8);
    p.Polyline(Point{0, 0}, Point{3, 0});
    EXPECT_EQ(PixelsOf(p, Red), (Pixels{{0, 0}, {1, 0}, {2, 0}}));
    p.MoveTo(5, 5);
    p.LineTo(5, 5);
    p.LineTo(5, 3);  // the current position moves on to (5, 3)
    p.LineTo(7, 3);
    EXPECT_EQ(PixelsOf(p, Red), (Pixels{{0, 0}, {1, 0}, {2, 0}, {5, 5}, {5, 4}, {5, 3}, {6, 3}}));
}

TEST(CanvasLine, EveryLineIsConnectedFromStartAndStopsNextToTheEnd) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int n = 0; n < 400; ++n) {
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Picture p = Blank(40, 40);
        p.Polyline(a, b);
        const Pixels line = PixelsOf(p, Red);
        ASSERT_EQ(line.size(), static_cast<std::size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y))));
        if (line.empty()) continue;
        EXPECT_TRUE(line.count({a.x, a.y}));
        EXPECT_FALSE(line.count({b.x, b.y}));
        EXPECT_TRUE(EightConnected(line));
        bool nextToEnd = false;
        for (auto [x, y] : line) {
            ASSERT_TRUE(x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x));
            ASSERT_TRUE(y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y));
            nextToEnd = nextToEnd || (std::abs(x - b.x) <= 1 && std::abs(y - b.y) <= 1);
        }
        EXPECT_TRUE(nextToEnd);
    }
}

TEST(CanvasEllipse, CornersAreOrderedAndFlatBoxesDrawNothing) {
    Picture a = Blank(10, 10), b = Blank(10, 10);
    a.Ellipse(6, 6, 2, 2);
    b.Ellipse(2, 2, 6, 6);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Dirty(), (Rect{2, 2, 6, 6}));
    EXPECT_EQ(a.GetPixel(2, 3), Red);
    EXPECT_EQ(a.GetPixel(3, 3), Green);

    Picture flat = Blank(10, 10);
    flat.Ellipse(3, 3, 3, 8);
    flat.Ellipse(1, 4, 9, 4);
    EXPECT_EQ(flat.Dirty(), Rect{});
    flat.Ellipse(4, 1, 5, 7);  // one column wide: a line of outline pixels
    EXPECT_EQ(PixelsOf(flat, Red).size(), 6u);
}

// Boxes of 1..20 by 1..20: the outline is one 8-connected ring that a
// 4-connected walk from outside cannot cross, the shape is symmetric, and it
// touches all four sides of its box without leaving it.
TEST(CanvasEllipse, EveryOutlineIsClosedSymmetricAndTouchesItsBox) {
    for (int w = 1; w <= 20; ++w) {
        for (int h = 1; h <= 20; ++h) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
            const int L = 2, T = 3, R = L + w, B = T + h;
            Picture p = Blank(26, 26);
            p.Ellipse(L, T, R, B);
            const Pixels outline = PixelsOf(p, Red), inside = PixelsOf(p, Green);
            ASSERT_TRUE(EightConnected(outline));
            EXPECT_EQ(inside.empty(), w < 3 || h < 3);
            EXPECT_EQ(p.Dirty(), (Rect{L, T, R, B}));  // touches all four sides, stays inside
            for (int y = 0; y < 26; ++y)
                for (int x = 0; x < 26; ++x) {
                    ASSERT_EQ(p.GetPixel(x, y), p.GetPixel(L + R - 1 - x, y)) << x << "," << y;
                    ASSERT_EQ(p.GetPixel(x, y), p.GetPixel(x, T + B - 1 - y)) << x << "," << y;
                }
            Picture walk = p;
            walk.SetBrushColour(Blue);
            walk.FloodFillSurface(0, 0, Black);
            EXPECT_EQ(PixelsOf(walk, Green), inside);
        }
    }
}

// A shape cut by the raster's edges is the visible part of the same shape
// drawn whole on a larger raster.
TEST(CanvasClipping, ClippedShapesAreTheVisiblePartOfTheWholeShape) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-60, 80);
    for (int n = 0; n < 600; ++n) {
        const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        Picture small = Blank(20, 20), big = Blank(200, 200);
        if (n % 2) {
            small.Polyline(Point{x1, y1}, Point{x2, y2});
            big.Polyline(Point{x1 + 90, y1 + 90}, Point{x2 + 90, y2 + 90});
        } else {
            small.Ellipse(x1, y1, x2, y2);
            big.Ellipse(x1 + 90, y1 + 90, x2 + 90, y2 + 90);
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) ASSERT_EQ(small.GetPixel(x, y), big.GetPixel(x + 90, y + 90)) << n;
    }
}

TEST(CanvasFloodFill, MatchesAPlainWalkOnRandomPictures) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> size(1, 24);
    for (int n = 0; n < 300; ++n) {
        const int w = size(rng), h = size(rng);
        Picture p = Random(rng, w, h, {Red, Green, Blue});
        p.SetBrushColour(n % 4 == 0 ? Red : canvas::White);  // sometimes a surface colour
        const int x = std::uniform_int_distribution<int>(-1, w)(rng),
                  y = std::uniform_int_distribution<int>(-1, h)(rng);
        const Colour surface = n % 3 == 0 ? Green : p.GetPixel(x, y);
        const Picture expected = ReferenceFill(p, x, y, surface);
        p.FloodFillSurface(x, y, surface);
        ASSERT_EQ(p, expected) << "case " << n;
    }
}

TEST(CanvasFloodFill, BrushColourSurfaceEndsAndDeepMazesAreSafe) {
    Picture p = Blank(16, 16);
    p.SetBrushColour(Black);
    p.FloodFillSurface(3, 3, Black);
    EXPECT_EQ(p.Dirty(), Rect{});

    // One path through every row of a large picture: far too deep to recurse.
    Picture maze = Blank(4000, 4000);
    for (int y = 1; y < 4000; y += 2) {
        maze.Polyline(Point{0, y}, Point{4000, y});
        maze.SetPixel((y / 2) % 2 == 0 ? 3999 : 0, y, Black);
    }
    maze.FloodFillSurface(0, 0, Black);
    EXPECT_EQ(maze.GetPixel(3999, 3998), Green);
    EXPECT_EQ(maze.GetPixel(1, 3999), Red);
}

TEST(CanvasDraw, NegativeOffsetMovesRowsUpAndKeepsTheRest) {
    std::mt19937 rng(9);
    const Picture chip = Random(rng, 16, 16, {Red, Green, Blue});
    Picture moved = chip;
    moved.Draw(0, -1, moved);  // onto itself: reads the picture as it was
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(moved.GetPixel(x, y), chip.GetPixel(x, std::min(y + 1, 15)));

    Picture view(81, 81);
    view.StretchDraw(Rect{0, 0, 80, 80}, chip);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 81; ++x)
            ASSERT_EQ(view.GetPixel(x, y), x == 80 || y == 80 ? Black : chip.GetPixel(x / 5, y / 5));
}

// Draw, StretchDraw and CopyRect share one rule: target pixel (dx, dy) takes
// source (sl + (dx - dl) * sw / dw, st + (dy - dt) * sh / dh) where that lies
// in the source; every other pixel keeps its colour.
TEST(CanvasDraw, CopiesFollowTheNearestPixelRule) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> pos(-12, 30), len(1, 40);
    for (int n = 0; n < 300; ++n) {
        const Picture src = Random(rng, len(rng) % 12 + 1, len(rng) % 12 + 1, {Red, Green, Blue});
        const Picture before = Random(rng, 20, 20, {Black, canvas::White});
        Rect d{pos(rng), pos(rng), 0, 0}, s{0, 0, src.Width(), src.Height()};
        Picture p = before;
        if (n % 3 == 0) {
            d.right = d.left + src.Width(), d.bottom = d.top + src.Height();
            p.Draw(d.left, d.top, src);
        } else if (n % 3 == 1) {
            d.right = d.left + len(rng), d.bottom = d.top + len(rng);
            p.StretchDraw(d, src);
        } else {
            s = Rect{pos(rng) / 3, pos(rng) / 3, 0, 0};
            s.right = s.left + len(rng) / 3 + 1, s.bottom = s.top + len(rng) / 3 + 1;
            d.right = d.left + (n % 2 ? s.Width() : len(rng)), d.bottom = d.top + (n % 2 ? s.Height() : len(rng));
            p.CopyRect(d, src, s);
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                Colour expected = before.GetPixel(x, y);
                const int sx = s.left + (x - d.left) * s.Width() / d.Width();
                const int sy = s.top + (y - d.top) * s.Height() / d.Height();
                if (x >= d.left && x < d.right && y >= d.top && y < d.bottom && src.Contains(sx, sy))
                    expected = src.GetPixel(sx, sy);
                ASSERT_EQ(p.GetPixel(x, y), expected) << "case " << n << " at " << x << "," << y;
            }
    }
}

TEST(CanvasClipping, OperationsFarOutsideChangeNothing) {
    std::mt19937 rng(21);
    const Picture src = Random(rng, 16, 16, {Red, Green});
    const int far[] = {INT_MIN, -1000000000, -17, 1000000000, INT_MAX};
    // Each operation lies wholly on the side of the raster where a and b are.
    const std::vector<std::function<void(Picture&, int, int)>> ops{
        [](Picture& p, int a, int b) {
            p.FillRect(Rect{a, b, a / 2, b / 2});
        },
        [](Picture& p, int a, int b) {
            p.FrameRect(Rect{a, a, b, b});
        },  // round the raster at most
        [](Picture& p, int a, int b) {
            p.Polyline(Point{a, b}, Point{a / 2, b / 3});
        },
        [](Picture& p, int a, int b) { p.Ellipse(a, b, a / 2, b / 2); },
        [](Picture& p, int a, int b) { p.FloodFillSurface(a, b, Black); },
        [&](Picture& p, int a, int b) { p.Draw(a, b, src); },
        [&](Picture& p, int a, int b) {
            p.StretchDraw(Rect{a, b, a / 2 - 1, b / 2 - 1}, src);
        },
        [&](Picture& p, int a, int b) {
            p.CopyRect(Rect{a, b, a / 2, b / 2}, src, Rect{0, 0, 1, 1});
        },
        [](Picture& p, int a, int b) { p.SetPixel(a, b, Red); },
    };
    for (int a : far)
        for (int b : far)
            for (std::size_t i = 0; i < ops.size(); ++i) {
                Picture p = Blank(16, 16);
                ops[i](p, a, b);
                ASSERT_EQ(PixelsOf(p, Black).size(), 256u) << i << " " << a << "," << b;
            }
    // Boxes that span the whole int range cross the raster and must still work.
    Picture p = Blank(16, 16);
    p.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(PixelsOf(p, Green).size(), 256u);
    p.StretchDraw(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, src);
    EXPECT_EQ(p.GetPixel(5, 5), src.GetPixel(8, 8));
}

TEST(CanvasDirty, CoversEveryChangedPixel) {
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> pos(-8, 28);
    const Picture src = Random(rng, 6, 5, {Red, Blue});
    for (int n = 0; n < 500; ++n) {
        Picture p = Random(rng, 20, 20, {Black, Green});
        p.SetPenColour(Red);
        p.SetBrushColour(Blue);
        p.ClearDirty();
        const Picture before = p;
        const int a = pos(rng), b = pos(rng), c = pos(rng), d = pos(rng);
        switch (n % 7) {
            case 0: p.FillRect(Rect{a, b, c, d}); break;
            case 1: p.FrameRect(Rect{a, b, c, d}); break;
            case 2: p.Polyline(Point{a, b}, Point{c, d}); break;
            case 3: p.Ellipse(a, b, c, d); break;
            case 4: p.FloodFillSurface(a, b, p.GetPixel(a, b)); break;
            case 5: p.Draw(a, b, src); break;
            default: p.StretchDraw(Rect{a, b, c, d}, src); break;
        }
        const Rect dirty = p.Dirty();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                if (p.GetPixel(x, y) == before.GetPixel(x, y)) continue;
                ASSERT_TRUE(x >= dirty.left && x < dirty.right && y >= dirty.top && y < dirty.bottom) << n;
            }
    }
}

// The eight orientations laid one after another agree with Then, each has an
// inverse, a quarter turn is clockwise, and the diagonal swaps the sides.
TEST(CanvasOrientation, OrientingTwiceIsOneOrientationAndTurnsAreClockwise) {
    using canvas::Orientation;
    std::mt19937 random(7);
    Picture p(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) p.SetPixel(x, y, random() & 0xFFFFFF);
    std::set<std::vector<Colour>> distinct;
    for (Orientation a : canvas::AllOrientations) {
        const Picture once = canvas::Oriented(p, a);
        std::vector<Colour> pixels;
        for (int y = 0; y < once.Height(); ++y) pixels.insert(pixels.end(), once.Row(y).begin(), once.Row(y).end());
        distinct.insert(pixels);
        EXPECT_EQ(canvas::Oriented(once, canvas::Inverse(a)), p);
        for (Orientation b : canvas::AllOrientations)
            EXPECT_EQ(canvas::Oriented(once, b), canvas::Oriented(p, canvas::Then(a, b)));
    }
    EXPECT_EQ(distinct.size(), 8u);
    // Turned clockwise: the left column, read upwards, becomes the top row.
    const Picture turned = canvas::Oriented(p, Orientation::Turned90);
    ASSERT_EQ(turned.Width(), 2);
    ASSERT_EQ(turned.Height(), 3);
    EXPECT_EQ(turned.GetPixel(0, 0), p.GetPixel(0, 1));
    EXPECT_EQ(turned.GetPixel(1, 0), p.GetPixel(0, 0));
    EXPECT_EQ(turned.GetPixel(1, 2), p.GetPixel(2, 0));
    EXPECT_EQ(canvas::Oriented(p, Orientation::Horizontal).GetPixel(0, 0), p.GetPixel(2, 0));
    EXPECT_EQ(canvas::Oriented(p, Orientation::Vertical).GetPixel(0, 0), p.GetPixel(0, 1));
}

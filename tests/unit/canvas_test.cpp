#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "canvas/Picture.h"

using canvas::Colour;
using canvas::Picture;
using canvas::Point;
using canvas::Rect;

namespace {

constexpr Colour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

std::set<std::pair<int, int>> PixelsOf(const Picture& p, Colour c) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            if (p.GetPixel(x, y) == c) out.insert({x, y});
    return out;
}

bool EightConnected(const std::set<std::pair<int, int>>& pixels) {
    if (pixels.empty()) return true;
    std::set<std::pair<int, int>> seen{*pixels.begin()};
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

Picture RandomPicture(std::mt19937& rng, int w, int h, std::vector<Colour> colours) {
    Picture p(w, h);
    std::uniform_int_distribution<std::size_t> pick(0, colours.size() - 1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, colours[pick(rng)]);
    return p;
}

// The picture `small` must equal the window of `big` whose top-left is (ox, oy).
void ExpectWindow(const Picture& small, const Picture& big, int ox, int oy) {
    for (int y = 0; y < small.Height(); ++y)
        for (int x = 0; x < small.Width(); ++x)
            ASSERT_EQ(small.GetPixel(x, y), big.GetPixel(x + ox, y + oy)) << x << "," << y;
}

}  // namespace

TEST(CanvasPicture, SetSizeKeepsTopLeftAndGrowsBlack) {
    std::mt19937 rng(1);
    Picture p = RandomPicture(rng, 5, 4, {Red, Green, Blue});
    const Picture old = p;
    p.ClearDirty();
    p.SetSize(7, 2);
    EXPECT_EQ(p.Dirty(), (Rect{0, 0, 7, 2}));
    p.SetSize(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(p.GetPixel(x, y), x < 5 && y < 2 ? old.GetPixel(x, y) : canvas::Black) << x << "," << y;
    p.SetSize(-3, 4);
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(p.GetPixel(0, 0), canvas::Black);
}

TEST(CanvasPicture, PixelsAndRowsOutsideAreHarmless) {
    Picture p(4, 3);
    p.SetPixel(1, 2, Red | 0xFF000000u);
    EXPECT_EQ(p.GetPixel(1, 2), Red);  // the top byte never gets in
    p.SetPixel(-1, 0, Red);
    p.SetPixel(4, 0, Red);
    EXPECT_EQ(PixelsOf(p, Red).size(), 1u);
    EXPECT_EQ(p.GetPixel(-1, -1), canvas::Black);
    EXPECT_TRUE(p.Row(3).empty());
    const std::vector<Colour> row{Blue, Blue, Blue, Blue, Blue, Blue};
    p.SetRow(0, row);  // cut to the width
    p.SetRow(7, row);
    EXPECT_EQ(PixelsOf(p, Blue).size(), 4u);
    EXPECT_EQ(p.Row(0).size(), 4u);
}

TEST(CanvasPicture, FillAndFrameUseTheBrush) {
    Picture p(10, 10);
    p.SetPenColour(Green);
    p.SetBrushColour(Red);
    p.FillRect(Rect{-5, 8, 3, 20});
    EXPECT_EQ(PixelsOf(p, Red), (std::set<std::pair<int, int>>{{0, 8}, {1, 8}, {2, 8}, {0, 9}, {1, 9}, {2, 9}}));
    p.FillRect(Rect{5, 5, 5, 9});  // empty
    p.FillRect(Rect{6, 6, 4, 9});  // reversed counts as empty
    EXPECT_EQ(PixelsOf(p, Red).size(), 6u);

    p.SetBrushColour(Blue);
    p.FrameRect(Rect{2, 1, 6, 5});
    std::set<std::pair<int, int>> border;
    for (int x = 2; x < 6; ++x) border.insert({x, 1}), border.insert({x, 4});
    for (int y = 1; y < 5; ++y) border.insert({2, y}), border.insert({5, y});
    EXPECT_EQ(PixelsOf(p, Blue), border);
    EXPECT_TRUE(PixelsOf(p, Green).empty());

    Picture thin(6, 6);
    thin.SetBrushColour(Blue);
    thin.FrameRect(Rect{1, 1, 2, 5});  // one column wide: the column itself
    EXPECT_EQ(PixelsOf(thin, Blue), (std::set<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
    thin.FrameRect(Rect{3, 0, 5, 2});  // 2 x 2: all four pixels
    EXPECT_EQ(PixelsOf(thin, Blue).size(), 8u);
}

TEST(CanvasLine, EndPointExcludedAndEqualPointsDrawNothing) {
    Picture p(8, 8);
    p.SetPenColour(Red);
    p.SetBrushColour(Blue);
    p.Polyline(Point{0, 0}, Point{3, 0});
    EXPECT_EQ(PixelsOf(p, Red), (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}}));
    p.MoveTo(5, 5);
    p.LineTo(5, 5);
    EXPECT_EQ(PixelsOf(p, Red).size(), 3u);
    p.LineTo(5, 2);  // from the current position (5, 5), which then becomes (5, 2)
    p.LineTo(7, 2);
    EXPECT_EQ(PixelsOf(p, Red).size(), 8u);
    EXPECT_EQ(p.GetPixel(5, 5), Red);
    EXPECT_EQ(p.GetPixel(5, 2), Red);
    EXPECT_EQ(p.GetPixel(7, 2), canvas::Black);
    EXPECT_TRUE(PixelsOf(p, Blue).empty());
}

TEST(CanvasLine, EveryLineIsConnectedFromStartAndStopsBeforeTheEnd) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int n = 0; n < 400; ++n) {
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Picture p(40, 40);
        p.SetPenColour(Red);
        p.Polyline(a, b);
        const auto line = PixelsOf(p, Red);
        const std::size_t steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        ASSERT_EQ(line.size(), steps) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        if (steps == 0) continue;
        EXPECT_TRUE(line.count({a.x, a.y}));
        EXPECT_FALSE(line.count({b.x, b.y}));
        EXPECT_TRUE(EightConnected(line));
        // The last pixel drawn is next to the end point, so the line reaches it.
        bool touchesEnd = false;
        for (auto [x, y] : line) {
            EXPECT_TRUE(x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x));
            EXPECT_TRUE(y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y));
            touchesEnd = touchesEnd || (std::abs(x - b.x) <= 1 && std::abs(y - b.y) <= 1);
        }
        EXPECT_TRUE(touchesEnd);
    }
}

TEST(CanvasLine, ClippedLineIsTheVisiblePartOfTheWholeLine) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> coord(-60, 80);
    for (int n = 0; n < 400; ++n) {
        const Point a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Picture small(20, 20), big(200, 200);
        small.SetPenColour(Red);
        big.SetPenColour(Red);
        small.Polyline(a, b);
        big.Polyline(Point{a.x + 90, a.y + 90}, Point{b.x + 90, b.y + 90});
        ExpectWindow(small, big, 90, 90);
    }
}

TEST(CanvasEllipse, CornersAreOrderedAndBoxExcludesRightAndBottom) {
    Picture a(10, 10), b(10, 10);
    for (Picture* p : {&a, &b}) {
        p->SetPenColour(Red);
        p->SetBrushColour(Green);
    }
    a.Ellipse(6, 6, 2, 2);
    b.Ellipse(2, 2, 6, 6);
    EXPECT_EQ(a, b);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (x < 2 || x > 5 || y < 2 || y > 5) {
                EXPECT_EQ(a.GetPixel(x, y), canvas::Black) << x << "," << y;
            }
    EXPECT_EQ(a.GetPixel(2, 3), Red);
    EXPECT_EQ(a.GetPixel(3, 3), Green);

    Picture flat(10, 10);
    flat.ClearDirty();
    flat.Ellipse(3, 3, 3, 8);
    flat.Ellipse(1, 4, 9, 4);
    EXPECT_EQ(flat.Dirty(), Rect{});
    EXPECT_EQ(PixelsOf(flat, canvas::Black).size(), 100u);

    Picture line(10, 10);
    line.SetPenColour(Red);
    line.Ellipse(4, 1, 5, 7);  // one column wide: a line of outline pixels
    EXPECT_EQ(PixelsOf(line, Red).size(), 6u);
}

// For every box of 1..20 by 1..20: the outline is a closed 8-connected ring
// (a 4-connected walk from outside cannot reach the interior), the shape is
// symmetric, touches all four sides of its box and stays inside it.
TEST(CanvasEllipse, EveryOutlineIsClosedSymmetricAndTouchesItsBox) {
    for (int w = 1; w <= 20; ++w) {
        for (int h = 1; h <= 20; ++h) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
            const int L = 2, T = 3, R = L + w, B = T + h;
            Picture p(26, 26);
            p.SetPenColour(Red);
            p.SetBrushColour(Green);
            p.Ellipse(L, T, R, B);
            const auto outline = PixelsOf(p, Red), inside = PixelsOf(p, Green);
            ASSERT_TRUE(EightConnected(outline));
            if (w >= 3 && h >= 3) {
                EXPECT_FALSE(inside.empty());
            }
            int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
            for (auto [x, y] : outline) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
            EXPECT_EQ(minX, L);
            EXPECT_EQ(maxX, R - 1);
            EXPECT_EQ(minY, T);
            EXPECT_EQ(maxY, B - 1);
            for (int y = 0; y < 26; ++y)
                for (int x = 0; x < 26; ++x) {
                    const Colour c = p.GetPixel(x, y);
                    ASSERT_EQ(c, p.GetPixel(L + R - 1 - x, y)) << x << "," << y;
                    ASSERT_EQ(c, p.GetPixel(x, T + B - 1 - y)) << x << "," << y;
                    if (x < L || x >= R || y < T || y >= B) {
                        ASSERT_EQ(c, canvas::Black);
                    }
                }
            Picture walk = p;
            walk.SetBrushColour(Blue);
            walk.FloodFillSurface(0, 0, canvas::Black);
            EXPECT_EQ(PixelsOf(walk, Green), inside);
        }
    }
}

TEST(CanvasEllipse, ClippedEllipseIsTheVisiblePartOfTheWholeEllipse) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-30, 50);
    for (int n = 0; n < 200; ++n) {
        const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        Picture small(20, 20), big(120, 120);
        for (Picture* p : {&small, &big}) {
            p->SetPenColour(Red);
            p->SetBrushColour(Green);
        }
        small.Ellipse(x1, y1, x2, y2);
        big.Ellipse(x1 + 50, y1 + 50, x2 + 50, y2 + 50);
        ExpectWindow(small, big, 50, 50);
    }
}

namespace {

// Slow but obviously right: breadth-first over 4-neighbours.
Picture ReferenceFill(Picture p, int x, int y, Colour surface) {
    if (!p.Contains(x, y) || p.GetPixel(x, y) != surface || surface == p.BrushColour()) return p;
    std::vector<Point> todo{Point{x, y}};
    std::vector<bool> seen(static_cast<std::size_t>(p.Width()) * p.Height());
    seen[static_cast<std::size_t>(y) * p.Width() + x] = true;
    while (!todo.empty()) {
        const Point q = todo.back();
        todo.pop_back();
        p.SetPixel(q.x, q.y, p.BrushColour());
        for (Point n : {Point{q.x + 1, q.y}, Point{q.x - 1, q.y}, Point{q.x, q.y + 1}, Point{q.x, q.y - 1}}) {
            if (!p.Contains(n.x, n.y) || p.GetPixel(n.x, n.y) != surface) continue;
            auto&& s = seen[static_cast<std::size_t>(n.y) * p.Width() + n.x];
            if (!s) s = true, todo.push_back(n);
        }
    }
    return p;
}

}  // namespace

TEST(CanvasFloodFill, MatchesAPlainFillOnRandomPictures) {
    std::mt19937 rng(3);
    for (int n = 0; n < 300; ++n) {
        std::uniform_int_distribution<int> size(1, 24);
        const int w = size(rng), h = size(rng);
        Picture p = RandomPicture(rng, w, h, {Red, Green, Blue});
        p.SetBrushColour(n % 4 == 0 ? Red : canvas::White);
        const int x = std::uniform_int_distribution<int>(-1, w)(rng);
        const int y = std::uniform_int_distribution<int>(-1, h)(rng);
        const Colour surface = n % 3 == 0 ? Green : p.GetPixel(x, y);
        const Picture expected = ReferenceFill(p, x, y, surface);
        p.FloodFillSurface(x, y, surface);
        ASSERT_EQ(p, expected) << "case " << n;
    }
}

TEST(CanvasFloodFill, BrushColourSurfaceAndLargePicturesAreSafe) {
    Picture p(16, 16);
    p.SetBrushColour(canvas::Black);
    p.FloodFillSurface(3, 3, canvas::Black);  // already the brush colour
    EXPECT_EQ(p.Dirty(), (Rect{0, 0, 16, 16}));  // only from the size change
    p.ClearDirty();
    p.FloodFillSurface(3, 3, canvas::Black);
    EXPECT_EQ(p.Dirty(), Rect{});

    // A serpentine maze: one path through every row, far too deep for a
    // recursive fill.
    Picture maze(4000, 4000);
    maze.SetPenColour(Red);
    for (int y = 1; y < 4000; y += 2) {
        const int gap = (y / 2) % 2 == 0 ? 3999 : 0;
        maze.Polyline(Point{0, y}, Point{4000, y});
        maze.SetPixel(gap, y, canvas::Black);
    }
    maze.SetBrushColour(Green);
    maze.FloodFillSurface(0, 0, canvas::Black);
    EXPECT_EQ(maze.GetPixel(3999, 3998), Green);
    EXPECT_EQ(maze.GetPixel(1, 3999), Red);
    EXPECT_EQ(maze.GetPixel(0, 3999), Green);  // the last gap
}

TEST(CanvasDraw, NegativeOffsetMovesRowsUpAndKeepsTheRest) {
    std::mt19937 rng(9);
    Picture chip = RandomPicture(rng, 16, 16, {Red, Green, Blue});
    Picture target = chip;
    target.Draw(0, -1, chip);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(target.GetPixel(x, y), chip.GetPixel(x, y == 15 ? 15 : y + 1));
    // Drawing a picture onto itself reads it as it was.
    Picture self = chip;
    self.Draw(0, -1, self);
    EXPECT_EQ(self, target);
}

// Draw, StretchDraw and CopyRect all follow one rule: target pixel (dx, dy)
// takes source (sl + (dx - dl) * sw / dw, st + (dy - dt) * sh / dh) where
// that lies in the source, and everything else keeps its colour.
TEST(CanvasDraw, CopiesFollowTheNearestPixelRule) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> pos(-12, 30), len(1, 40);
    for (int n = 0; n < 300; ++n) {
        const Picture src = RandomPicture(rng, len(rng) % 12 + 1, len(rng) % 12 + 1, {Red, Green, Blue, 0x123456});
        const Picture before = RandomPicture(rng, 20, 20, {canvas::Black, canvas::White});
        const Rect dest{pos(rng), pos(rng), 0, 0};
        Rect d = dest, s{0, 0, src.Width(), src.Height()};
        Picture p = before;
        switch (n % 3) {
            case 0: d.right = d.left + src.Width(), d.bottom = d.top + src.Height(), p.Draw(d.left, d.top, src); break;
            case 1: d.right = d.left + len(rng), d.bottom = d.top + len(rng), p.StretchDraw(d, src); break;
            default:
                s = Rect{pos(rng) / 3, pos(rng) / 3, 0, 0};
                s.right = s.left + len(rng) / 3 + 1, s.bottom = s.top + len(rng) / 3 + 1;
                d.right = d.left + (n % 2 ? s.Width() : len(rng)), d.bottom = d.top + (n % 2 ? s.Height() : len(rng));
                p.CopyRect(d, src, s);
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                Colour expected = before.GetPixel(x, y);
                if (x >= d.left && x < d.right && y >= d.top && y < d.bottom) {
                    const int sx = s.left + (x - d.left) * s.Width() / d.Width();
                    const int sy = s.top + (y - d.top) * s.Height() / d.Height();
                    if (src.Contains(sx, sy)) expected = src.GetPixel(sx, sy);
                }
                ASSERT_EQ(p.GetPixel(x, y), expected) << "case " << n << " at " << x << "," << y;
            }
    }
}

TEST(CanvasDraw, StretchByFiveGivesUniformBlocks) {
    std::mt19937 rng(17);
    const Picture chip = RandomPicture(rng, 16, 16, {Red, Green, Blue, canvas::White});
    Picture view(81, 81);
    view.StretchDraw(Rect{0, 0, 80, 80}, chip);
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < 81; ++x)
            ASSERT_EQ(view.GetPixel(x, y), x == 80 || y == 80 ? canvas::Black : chip.GetPixel(x / 5, y / 5));
}

TEST(CanvasClipping, OperationsFarOutsideChangeNothing) {
    std::mt19937 rng(21);
    const Picture src = RandomPicture(rng, 16, 16, {Red, Green});
    const int far[] = {INT_MIN, -1000000000, -17, 1000000000, INT_MAX};
    const std::vector<std::function<void(Picture&, int, int)>> ops{
        [](Picture& p, int a, int b) { p.FillRect(Rect{a, b, a / 2 + 0, b / 2 + 0}); },
        [](Picture& p, int a, int b) { p.FrameRect(Rect{a, a, b, b}); },
        [](Picture& p, int a, int b) { p.Polyline(Point{a, a}, Point{b, a}); },
        [](Picture& p, int a, int b) { p.Polyline(Point{a, b}, Point{a / 2, b / 3}); },
        [](Picture& p, int a, int b) { p.Ellipse(a, b, a / 2, b / 2); },
        [](Picture& p, int a, int b) { p.Ellipse(a, a, b, b); },
        [](Picture& p, int a, int b) { p.FloodFillSurface(a, b, canvas::Black); },
        [&](Picture& p, int a, int b) { p.Draw(a, b, src); },
        [&](Picture& p, int a, int b) { p.StretchDraw(Rect{a, b, a / 2 - 1, b / 2 - 1}, src); },
        [&](Picture& p, int a, int b) { p.StretchDraw(Rect{a, a, b, b}, src); },
        [&](Picture& p, int a, int b) { p.CopyRect(Rect{a, b, a / 2, b / 2}, src, Rect{0, 0, 1, 1}); },
    };
    for (int a : far)
        for (int b : far) {
            if (a == -17 && b == -17) continue;  // the one pair that is not far outside everywhere
            for (std::size_t i = 0; i < ops.size(); ++i) {
                Picture p(16, 16);
                p.ClearDirty();
                ops[i](p, a, b);
                // Shapes that only pass the raster from far away may cross
                // it; only ones wholly outside must leave it untouched.
                const bool mayCross = (i == 5 || i == 9) && std::min(a, b) < 0 && std::max(a, b) > 16;
                if (!mayCross) {
                    ASSERT_EQ(PixelsOf(p, canvas::Black).size(), 256u) << i << " " << a << "," << b;
                }
            }
        }
}

TEST(CanvasDirty, CoversEveryChangedPixel) {
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> pos(-8, 28);
    const Picture src = RandomPicture(rng, 6, 5, {Red, Blue});
    for (int n = 0; n < 500; ++n) {
        Picture p = RandomPicture(rng, 20, 20, {canvas::Black, Green});
        p.SetPenColour(Red);
        p.SetBrushColour(Blue);
        p.ClearDirty();
        const Picture before = p;
        const int a = pos(rng), b = pos(rng), c = pos(rng), d = pos(rng);
        switch (n % 8) {
            case 0: p.FillRect(Rect{a, b, c, d}); break;
            case 1: p.FrameRect(Rect{a, b, c, d}); break;
            case 2: p.Polyline(Point{a, b}, Point{c, d}); break;
            case 3: p.Ellipse(a, b, c, d); break;
            case 4: p.FloodFillSurface(a, b, p.GetPixel(a, b)); break;
            case 5: p.Draw(a, b, src); break;
            case 6: p.StretchDraw(Rect{a, b, c, d}, src); break;
            default: p.SetPixel(a, b, Green); break;
        }
        const Rect dirty = p.Dirty();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (p.GetPixel(x, y) != before.GetPixel(x, y)) {
                    ASSERT_TRUE(x >= dirty.left && x < dirty.right && y >= dirty.top && y < dirty.bottom)
                        << "case " << n << " at " << x << "," << y;
                }
    }
}

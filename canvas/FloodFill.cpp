// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "canvas/Picture.h"

namespace canvas {

namespace {

// A run of pixels is the columns left, left + 1, ..., left + length - 1 of
// one row, where a column past the right edge may stand for one taken round.
// The two ways of finding neighbours differ only in where a run may grow,
// how such a column maps to the raster and which rows lie above and below.

// The raster ends at its edges.
struct Bounded {
    int width, height;
    bool GrowsLeft(int left, int /*length*/) const { return left > 0; }
    bool GrowsRight(int left, int length) const { return left + length < width; }
    static constexpr bool Wraps = false;
    int Column(int x) const { return x; }
    // -1: no row there.
    int Row(int y) const { return y >= 0 && y < height ? y : -1; }
};

// The left column touches the right one and the top row the bottom one; a
// run grows round its row up to the whole row.
struct Ring {
    int width, height;
    bool GrowsLeft(int /*left*/, int length) const { return length < width; }
    bool GrowsRight(int /*left*/, int length) const { return length < width; }
    static constexpr bool Wraps = true;
    // Runs start inside the raster and are at most `width` long, so x lies
    // in -1 .. 2 * width - 1 and one step round is enough.
    int Column(int x) const { return x < 0 ? x + width : x >= width ? x - width : x; }
    int Row(int y) const { return y < 0 ? y + height : y >= height ? y - height : y; }
};

}  // namespace

// Scanline fill with an explicit stack of seeds: each seed grows into the
// whole run of surface pixels in its row, and the rows above and below get one
// seed per run of surface pixels next to it. No recursion, so a picture of any
// size is safe.
template <class Neighbours>
void Picture::ScanlineFill(int x, int y, Colour surface) {
    surface &= 0xFFFFFF;
    if (!Contains(x, y) || GetPixel(x, y) != surface) return;
    // Filling with the surface colour itself would change nothing and never
    // run out of surface pixels.
    if (surface == brush_) return;

    const Colour brush = brush_;
    const Neighbours next{width_, height_};
    std::vector<Point> seeds{Point{x, y}};
    auto seedRuns = [&](int row, int from, int length) {
        if (row < 0) return;
        const Colour* p = RowPtr(row);
        for (int k = 0; k < length; ++k) {
            if (p[next.Column(from + k)] != surface) continue;
            seeds.push_back(Point{next.Column(from + k), row});
            while (k < length && p[next.Column(from + k)] == surface) ++k;
        }
    };
    while (!seeds.empty()) {
        const Point s = seeds.back();
        seeds.pop_back();
        const Colour* row = RowPtr(s.y);
        if (row[s.x] != surface) continue;  // filled since it was seeded
        int left = s.x, length = 1;
        while (next.GrowsLeft(left, length) && row[next.Column(left - 1)] == surface) {
            left = next.Column(left - 1);
            ++length;
        }
        while (next.GrowsRight(left, length) && row[next.Column(left + length)] == surface) ++length;
        if constexpr (Neighbours::Wraps)
            WriteSpanWrapped(s.y, left, std::int64_t{left} + length, brush);
        else
            WriteSpan(s.y, left, left + length, brush);
        seedRuns(next.Row(s.y - 1), left, length);
        seedRuns(next.Row(s.y + 1), left, length);
    }
}

void Picture::FloodFillSurface(int x, int y, Colour surface) { ScanlineFill<Bounded>(x, y, surface); }

void Picture::FloodFillSurfaceWrapped(int x, int y, Colour surface) { ScanlineFill<Ring>(x, y, surface); }

}  // namespace canvas

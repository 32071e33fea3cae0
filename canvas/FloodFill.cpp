#include <vector>

#include "canvas/Picture.h"

namespace canvas {

// Scanline fill with an explicit stack of seeds: each seed grows into the
// whole run of surface pixels in its row, and the rows above and below get one
// seed per run of surface pixels next to it. No recursion, so a picture of any
// size is safe.
void Picture::FloodFillSurface(int x, int y, Colour surface) {
    surface &= 0xFFFFFF;
    if (!Contains(x, y) || GetPixel(x, y) != surface) return;
    // Filling with the surface colour itself would change nothing and never
    // run out of surface pixels.
    if (surface == brush_) return;

    const Colour brush = brush_;
    std::vector<Point> seeds{Point{x, y}};
    auto seedRuns = [&](int row, int from, int to) {  // columns from..to-1
        if (row < 0 || row >= height_) return;
        const Colour* p = RowPtr(row);
        for (int cx = from; cx < to; ++cx) {
            if (p[cx] != surface) continue;
            seeds.push_back(Point{cx, row});
            while (cx < to && p[cx] == surface) ++cx;
        }
    };
    while (!seeds.empty()) {
        const Point s = seeds.back();
        seeds.pop_back();
        Colour* row = RowPtr(s.y);
        if (row[s.x] != surface) continue;  // filled since it was seeded
        int left = s.x, right = s.x + 1;
        while (left > 0 && row[left - 1] == surface) --left;
        while (right < width_ && row[right] == surface) ++right;
        WriteSpan(s.y, left, right, brush);
        seedRuns(s.y - 1, left, right);
        seedRuns(s.y + 1, left, right);
    }
}

}  // namespace canvas

// SPDX-License-Identifier: GPL-3.0-or-later
// Terrains: for every one of the 256 neighbour masks, the chip the board's
// brush chooses for a cell is the generated chip of its reduced mask, and
// that chip's pixels are the quarters a slow reference picks pixel by pixel;
// and a terrain goes through the tileset's terrain set and comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/TerrainSets.h"
#include "tests/support/FakePlatform.h"

namespace {

constexpr int Side = 16, Half = Side / 2;

// The source pixel for pixel (x, y) of the chip of `mask`, worked out from
// the five cases directly.
canvas::Colour ReferencePixel(const EditorForm& f, const Terrain& t, std::uint8_t mask, int x, int y) {
    const int cx = x / Half, cy = y / Half;
    auto has = [mask](int dx, int dy) {
        static const int bits[3][3] = {{128, 1, 2}, {64, 0, 4}, {32, 16, 8}};
        return (mask & bits[dy + 1][dx + 1]) != 0;
    };
    const int dx = cx == 0 ? -1 : 1, dy = cy == 0 ? -1 : 1;
    const bool h = has(dx, 0), v = has(0, dy), d = has(dx, dy);
    int qx, qy;
    if (!h && !v)
        qx = 3 * cx, qy = 2 + 3 * cy;
    else if (!h)
        qx = 3 * cx, qy = 4 - cy;
    else if (!v)
        qx = 2 - cx, qy = 2 + 3 * cy;
    else if (!d)
        qx = 2 + cx, qy = cy;
    else
        qx = 2 - cx, qy = 4 - cy;
    return f.Chip(t.source.col + qx / 2, t.source.row + qy / 2)
        .GetPixel(qx % 2 * Half + x % Half, qy % 2 * Half + y % Half);
}

TEST(Autotile, BrushChoosesTheGeneratedChipOfEveryMask) {
    FakePlatform platform;
    EditorForm f(platform);
    f.FormCreate();
    std::mt19937 random(38);
    const Terrain t{"water", {3, 4}, {10, 2}};
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r)
            for (int y = 0; y < Side; ++y)
                for (int x = 0; x < Side; ++x)
                    f.ChangeChip(t.source.col + c, t.source.row + r).SetPixel(x, y, random());
    f.project.Sheet.PutTerrain(t);
    f.project.Board.Resize(5, 5);
    const BoardCell centre{2, 2};
    const std::array<BoardCell, 8> around{{{2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2}, {1, 1}}};
    for (int mask = 0; mask < 256; ++mask) {
        f.project.Board.Clear();
        std::vector<BoardCell> marked{centre};
        for (std::size_t i = 0; i < around.size(); ++i)
            if (mask & (1 << i)) marked.push_back(around[i]);
        std::shuffle(marked.begin(), marked.end(), random);
        for (BoardCell c : marked) f.PaintTerrain(c, 0, true);
        const std::uint8_t reduced = autotile::Reduce(static_cast<std::uint8_t>(mask));
        const auto chip = f.project.Board.At(centre);
        ASSERT_TRUE(chip && *chip == t.ChipOf(reduced)) << "mask " << mask;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                ASSERT_EQ(f.Chip(chip->col, chip->row).GetPixel(x, y), ReferencePixel(f, t, reduced, x, y))
                    << "mask " << mask << " pixel " << x << "," << y;
        // Unmarking every neighbour leaves the centre alone on the board.
        for (BoardCell c : marked)
            if (c != centre) f.PaintTerrain(c, 0, false);
        ASSERT_EQ(f.project.Board.At(centre), t.ChipOf(0)) << "mask " << mask;
    }
    // The 47 masks in ascending order, each its own reduction.
    const auto& masks = autotile::Masks();
    EXPECT_TRUE(std::is_sorted(masks.begin(), masks.end()));
    for (std::uint8_t m : masks) EXPECT_EQ(autotile::Reduce(m), m);

    const std::vector<tiled::WangSet> sets{WangSetOf(t, f.project.Sheet.Chips(), sheet::Default.cols)};
    EXPECT_EQ(TerrainsOf(sets, sheet::Default.cols, sheet::Default.rows), std::vector<Terrain>{t});
}

}  // namespace

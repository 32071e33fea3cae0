// SPDX-License-Identifier: GPL-3.0-or-later
// Animated chips: the frames due at any time in the tile preview and on the
// board, the edit area left alone, and the frames kept through the board's
// Tiled files (Tiled's own <animation> elements).
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/TiledMap.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

using enum ControlId;

// The chip a tile preview place or a board cell shows, told by its colour:
// PaintPattern gives every chip its own red.
int RedAt(const canvas::Picture& view, int x, int y) { return canvas::RedOf(view.GetPixel(x, y)); }
int RedOfChip(int col, int row) { return (col * sheet::Default.rows + row) & 0xFF; }

TEST(ChipAnimation, FramesPlayInThePreviewAndOnTheBoardAndSurviveTheBoardFiles) {
    StartedEditor e;
    e.PaintPattern();
    EditorForm& f = *e;
    f.ChooseChip(26, 3);
    // Eight frames asked at column 26 are cut to the four left on the row;
    // the frame time is kept within its limits.
    e.platform.animationAnswers.push_back(ChipAnimation{8, 20});
    f.Click(AnimFramesMenu);
    ASSERT_EQ(f.project.Sheet.Animations.Of({26, 3}), (ChipAnimation{4, ChipAnimation::MinFrameMs}));
    EXPECT_EQ(f.project.Sheet.Animations.Holding({29, 3}), (ChipRef{26, 3}));

    f.Click(TileViewMenu);
    f.project.Board.Place({0, 0}, ChipRef{26, 3});
    for (bool on : {false, true}) {
        if (on) f.Click(AnimMenu);
        for (int t = 0; t < 500; t += 25) {
            f.ShowAnimationAt(t);
            f.UpdateTilePreview();
            canvas::Picture board;
            f.project.Board.Draw(board, {0, 0, 16, 16}, f.project.Sheet.Chips(), f.ShownSlots);
            const int due = on ? t / ChipAnimation::MinFrameMs % 4 : 0;
            SCOPED_TRACE("t = " + std::to_string(t));
            EXPECT_EQ(RedAt(f.TileI, f.TileI.Width() / 2, f.TileI.Height() / 2), RedOfChip(26 + due, 3));
            EXPECT_EQ(RedAt(board, 8, 8), RedOfChip(26 + due, 3));
            const int inside = f.Def.Zoom * 3 + f.Def.Zoom / 2;  // a chip pixel, not a grid line
            EXPECT_EQ(RedAt(f.EditI, inside, inside), RedOfChip(26, 3));
        }
    }
    // A later frame being edited still shows the animation in the preview.
    f.ChooseChip(28, 3);
    f.ShowAnimationAt(ChipAnimation::MinFrameMs);
    f.UpdateTilePreview();
    EXPECT_EQ(RedAt(f.TileI, f.TileI.Width() / 2, f.TileI.Height() / 2), RedOfChip(27, 3));

    // Saved into the board's tileset as Tiled reads it, and back.
    ScratchDirectory dir;
    const std::string map = (dir.Path() / "board.tmx").string();
    e.platform.fileAnswers.push_back(map);
    f.Click(BoardSaveMenu);
    const tiled::BoardMap read = tiled::ReadMap(map, {16, 30, 16, 256});
    ASSERT_EQ(read.animations.size(), 1u);
    EXPECT_EQ(read.animations[0].tile, 3 * 30 + 26);
    EXPECT_EQ(read.animations[0].frames.back(), (tiled::AnimationFrame{3 * 30 + 29, ChipAnimation::MinFrameMs}));
    f.project.Sheet.Animations.Clear();
    e.platform.fileAnswers.push_back(map);
    f.Click(BoardLoadMenu);
    EXPECT_EQ(f.project.Sheet.Animations.Of({26, 3}), (ChipAnimation{4, ChipAnimation::MinFrameMs}));

    // One frame: the chip is still again.
    e.platform.animationAnswers.push_back(ChipAnimation{1, 200});
    f.ChooseChip(26, 3);
    f.Click(AnimFramesMenu);
    EXPECT_TRUE(f.project.Sheet.Animations.Empty());
}

}  // namespace

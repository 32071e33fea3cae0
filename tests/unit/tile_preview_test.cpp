// SPDX-License-Identifier: GPL-3.0-or-later
// The tile preview follows edits incrementally: after any sequence of
// changes its view equals a preview drawn afresh, and its dirty rectangle
// holds every pixel that changed and nothing when nothing did.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StartedEditor.h"

namespace {

using enum ControlId;

class TilePreviewTest : public ::testing::Test {
protected:
    void SetUp() override { form->Click(TileViewMenu); }

    // The view as a new preview draws it from scratch.
    canvas::Picture Fresh() {
        EditorForm& f = *form;
        const canvas::Picture kept = f.TileI;
        f.tilePreview.Forget();
        f.UpdateTilePreview();
        canvas::Picture drawn = f.TileI;
        f.TileI = kept;
        return drawn;
    }

    // Runs the preview's update after a change and checks what it marked.
    void UpdateAndCheck() {
        EditorForm& f = *form;
        const canvas::Picture before = f.TileI;
        f.TileI.ClearDirty();
        f.UpdateTilePreview();
        const canvas::Rect dirty = f.TileI.Dirty();
        if (before.Width() == f.TileI.Width() && before.Height() == f.TileI.Height()) {
            for (int y = 0; y < f.TileI.Height(); ++y)
                for (int x = 0; x < f.TileI.Width(); ++x)
                    if (before.GetPixel(x, y) != f.TileI.GetPixel(x, y)) {
                        ASSERT_TRUE(x >= dirty.left && x < dirty.right && y >= dirty.top && y < dirty.bottom)
                            << "(" << x << "," << y << ") changed outside the dirty rectangle";
                    }
        }
        EXPECT_EQ(f.TileI, Fresh());
    }

    StartedEditor started;
    FakePlatform& platform = started.platform;
    std::unique_ptr<EditorForm>& form = started.form;
};

TEST_F(TilePreviewTest, FollowsRandomEditsInBothModesAndAllZooms) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> col(0, 29), row(0, 15), pixel(0, 15), colour(0, 0xFFFFFF), action(0, 9);
    constexpr ControlId items[] = {TileZoom1,      TileZoom2,         TileZoom3,    TileZoom4,
                                   TileRepeatMenu, TileNeighbourMenu, TileBoardMenu};
    for (int i = 0; i < 600; ++i) {
        EditorForm& f = *form;
        switch (action(random)) {
            case 0: f.Click(items[std::uniform_int_distribution<int>(0, 6)(random)]); break;
            case 9:  // the chip or a neighbour of it on one of the board's first cells, in any orientation
                f.project.Board.Place({static_cast<int>(random() % 4), static_cast<int>(random() % 4)},
                                      ChipRef{std::clamp(f.CurCol + static_cast<int>(random() % 3) - 1, 0, 29),
                                              std::clamp(f.CurRow + static_cast<int>(random() % 3) - 1, 0, 15)},
                                      canvas::AllOrientations[random() % canvas::OrientationCount]);
                break;
            case 1:
                f.CurCol = col(random);
                f.CurRow = row(random);
                break;
            case 2:  // at a corner or an edge of the sheet
                f.CurCol = random() % 2 ? 0 : 29;
                f.CurRow = random() % 2 ? 0 : 15;
                break;
            default: {
                // A pixel of the chip being edited or of one next to it.
                const int c = std::clamp(f.CurCol + static_cast<int>(random() % 3) - 1, 0, 29);
                const int r = std::clamp(f.CurRow + static_cast<int>(random() % 3) - 1, 0, 15);
                f.ChangeChip(c, r).SetPixel(pixel(random), pixel(random), static_cast<canvas::Colour>(colour(random)));
            }
        }
        UpdateAndCheck();
        if (HasFailure()) return;
    }
}

TEST_F(TilePreviewTest, RedrawsOnlyThePlaceOfAChangedNeighbour) {
    EditorForm& f = *form;
    f.Click(TileNeighbourMenu);
    f.Click(TileZoom4);
    f.CurCol = 5;
    f.CurRow = 5;
    f.UpdateTilePreview();
    f.TileI.ClearDirty();
    f.UpdateTilePreview();
    EXPECT_TRUE(f.TileI.Dirty().IsEmpty());
    // Pixel (3, 7) of the right neighbour: place (2, 1) starts at (128, 64).
    f.ChangeChip(6, 5).SetPixel(3, 7, 0x123456);
    f.UpdateTilePreview();
    EXPECT_EQ(f.TileI.Dirty(), (canvas::Rect{128, 64, 128 + 64, 64 + 64}));
    EXPECT_EQ(f.TileI.GetPixel(128 + 13, 64 + 29), 0x123456u);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The Move/Transform menu on the chip being edited.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshViews.h"
#include "tests/support/StartedEditor.h"

namespace {

using canvas::Colour;
using canvas::Picture;

constexpr Colour Black = 0x000000, Red = 0x0000FF;

class Transforms : public ::testing::Test {
protected:
    void SetUp() override {
        form.CurCol = 4;
        form.CurRow = 7;
        std::mt19937 rng(11);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) chip().SetPixel(x, y, rng() & 0xFFFFFF);
        original = chip();
    }
    Picture& chip() { return form.ChangeChip(form.CurCol, form.CurRow); }
    void Run(ControlId item) { form.MoveMenuClick(item); }
    // Every chip but the current one.
    std::vector<Picture> OtherChips() const {
        std::vector<Picture> out;
        for (int c = 0; c < sheet::Default.cols; ++c)
            for (int r = 0; r < sheet::Default.rows; ++r)
                if (c != form.CurCol || r != form.CurRow) out.push_back(form.Chip(c, r));
        return out;
    }
    Picture FreshEditArea() { return ::FreshEditArea(form); }

    StartedEditor started;
    FakePlatform& platform = started.platform;
    EditorForm& form = *started;
    Picture original;
};

TEST_F(Transforms, EachShiftMovesEveryPixelByOneAndUncoversBlack) {
    struct Case {
        ControlId item;
        int dx, dy;
    };
    for (const Case& c : {Case{ControlId::UpMenu, 0, -1}, Case{ControlId::RightMenu, 1, 0},
                          Case{ControlId::DownMenu, 0, 1}, Case{ControlId::LeftMenu, -1, 0}}) {
        chip() = original;
        Run(c.item);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int ox = x - c.dx, oy = y - c.dy;
                const Colour expected = original.Contains(ox, oy) ? original.GetPixel(ox, oy) : Black;
                ASSERT_EQ(chip().GetPixel(x, y), expected) << NameOf(c.item) << " at " << x << "," << y;
            }
    }
}

TEST_F(Transforms, UpThenDownBlackensOnlyTheTopRow) {
    Run(ControlId::UpMenu);
    Run(ControlId::DownMenu);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(chip().GetPixel(x, y), y == 0 ? Black : original.GetPixel(x, y));
}

TEST_F(Transforms, UpLeftDownRightBlackensOnlyTheTopRowAndLeftColumn) {
    for (ControlId item : {ControlId::UpMenu, ControlId::LeftMenu, ControlId::DownMenu, ControlId::RightMenu})
        Run(item);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(chip().GetPixel(x, y), (x == 0 || y == 0) ? Black : original.GetPixel(x, y)) << x << "," << y;
}

TEST_F(Transforms, TransposeAndFlipsTwiceGiveBackTheChip) {
    for (ControlId item : {ControlId::XYMenu, ControlId::UpsetMenu, ControlId::VrevMenu}) {
        form.Modified = false;
        Run(item);
        EXPECT_NE(chip(), original) << NameOf(item);
        Run(item);
        EXPECT_EQ(chip(), original) << NameOf(item);
        EXPECT_TRUE(form.Modified);
    }
}

TEST_F(Transforms, EveryItemCanBeUndoneAndLeavesModifiedSet) {
    for (ControlId item : {ControlId::UpMenu, ControlId::RightMenu, ControlId::DownMenu, ControlId::LeftMenu,
                           ControlId::XYMenu, ControlId::UpsetMenu, ControlId::VrevMenu}) {
        form.Modified = false;
        form.project.history.DropOneLevel();
        Run(item);
        EXPECT_TRUE(form.Modified) << NameOf(item);
        EXPECT_TRUE(form.UndoAvailable()) << NameOf(item);
        EXPECT_EQ(form.UndoImage(), original) << NameOf(item);
        form.Undo();
        EXPECT_EQ(chip(), original) << NameOf(item);
        EXPECT_TRUE(form.Modified) << NameOf(item);
    }
}

TEST_F(Transforms, OnlyTheCurrentChipChangesAndBothViewsShowIt) {
    form.PopupCol = 1;
    form.PopupRow = 1;
    form.RefreshEditArea();
    const std::vector<Picture> others = OtherChips();
    Run(ControlId::VrevMenu);
    EXPECT_EQ(OtherChips(), others);
    EXPECT_EQ(form.EditI, FreshEditArea());
    EXPECT_EQ(form.ScreenI.GetPixel(4 * 16 + 5, 7 * 16 + 5), chip().GetPixel(5, 5));
    EXPECT_EQ(form.ScreenI.GetPixel(4 * 16, 7 * 16 + 5), Red);  // with its red frame
}

TEST_F(Transforms, TheSeparatorDoesNothing) {
    Run(ControlId::N2);
    EXPECT_EQ(chip(), original);
    EXPECT_FALSE(form.Modified);
    EXPECT_FALSE(form.UndoAvailable());
}

}  // namespace

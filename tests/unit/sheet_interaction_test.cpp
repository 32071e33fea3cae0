// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and moves on the sheet view: choosing the chip, pixels set with
// Shift, colour picks, the pop-up menu and the position text.
#include <gtest/gtest.h>

#include <vector>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshViews.h"
#include "tests/support/WatchingPlatform.h"

namespace {

using canvas::Colour;
using canvas::Picture;
using canvas::Rgb;

constexpr Colour White = 0xFFFFFF, Black = 0x000000, Red = 0x0000FF, Blue = 0xFF0000, Silver = 0xC0C0C0;
const ShiftState L{ShiftKey::Left};
const ShiftState R{ShiftKey::Right};
const ShiftState ShiftL{ShiftKey::Shift, ShiftKey::Left};

class SheetInteraction : public ::testing::Test {
protected:
    void SetUp() override {
        platform.form = &form;
        form.FormCreate();
    }
    void Press(int X, int Y, ShiftState s) { form.ScreenIMouseDown(MouseButton::Left, s, X, Y); }
    // Every chip of the table, to see that nothing else changed.
    std::vector<Picture> AllChips() const {
        return {form.project.Sheet.Chips().begin(), form.project.Sheet.Chips().end()};
    }
    Picture FreshEditArea() { return ::FreshEditArea(form); }

    WatchingPlatform platform;
    EditorForm form{platform};
};

TEST_F(SheetInteraction, PressesOnTheExtraColumnOrRowOrWithOtherKeysDoNothing) {
    const std::vector<Picture> chips = AllChips();
    const Picture sheet = form.ScreenI;
    Press(480, 5, L);
    Press(5, 256, ShiftL);
    Press(480, 256, R);
    for (ShiftState s : {ShiftState{ShiftKey::Middle}, ShiftState{ShiftKey::Alt, ShiftKey::Left},
                         ShiftState{ShiftKey::Left, ShiftKey::Double}, ShiftState{ShiftKey::Left, ShiftKey::Right},
                         ShiftState{ShiftKey::Shift, ShiftKey::Ctrl, ShiftKey::Left}})
        Press(40, 40, s);
    EXPECT_EQ(form.CurCol, 0);
    EXPECT_EQ(form.CurRow, 0);
    EXPECT_FALSE(form.Modified);
    EXPECT_EQ(AllChips(), chips);
    EXPECT_EQ(form.ScreenI, sheet);
    EXPECT_TRUE(platform.popups.empty());
}

TEST_F(SheetInteraction, ShiftClickOnTheChipBeingEditedUpdatesTheEditArea) {
    Press(3, 4, ShiftL);
    EXPECT_EQ(form.Chip(0, 0).GetPixel(3, 4), White);
    EXPECT_EQ(form.EditI, FreshEditArea());
    EXPECT_EQ(form.EditI.GetPixel(17, 22), White);
}

// Up to ChipSize - 1 pixels left of or above the view the position still
// names column or row 0, but a pixel outside that chip: nothing is written,
// while the redraw and the flags follow as for any set pixel.
TEST_F(SheetInteraction, ShiftDragJustLeftOfTheViewWritesNoPixel) {
    const std::vector<Picture> chips = AllChips();
    form.TakeUndoCopy();
    form.ScreenIMouseMove(ShiftL, -5, 3);
    EXPECT_EQ(AllChips(), chips);
    EXPECT_TRUE(form.Modified);
    EXPECT_FALSE(form.UndoAvailable());
    EXPECT_EQ(form.controls.Caption(ControlId::EditPos), "-5,3 (0,0,0)");
}

TEST_F(SheetInteraction, RightClickMarksTheChipBlueWhileItsMenuIsOpen) {
    Press(100, 50, L);  // chip (6, 3) is being edited
    platform.popupAnswers.push_back(std::nullopt);
    Press(40, 20, R);  // chip (2, 1)
    EXPECT_EQ(form.PopupCol, 2);
    EXPECT_EQ(form.PopupRow, 1);
    EXPECT_EQ(form.CurCol, 6);
    EXPECT_EQ(form.CurRow, 3);
    ASSERT_EQ(platform.popups.size(), 1u);
    EXPECT_EQ(platform.popups[0].menu, ControlId::ScreenMenu);
    EXPECT_EQ(platform.popups[0].origin, ControlId::ScreenI);
    EXPECT_EQ(platform.popups[0].x, 40);
    EXPECT_EQ(platform.popups[0].y, 20);

    ASSERT_EQ(platform.sheetWhenOpen.size(), 1u);
    const Picture& open = platform.sheetWhenOpen[0];
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(open.GetPixel(32 + i, 16), Blue);
        EXPECT_EQ(open.GetPixel(32 + i, 32), Blue);
        EXPECT_EQ(open.GetPixel(32, 16 + i), Blue);
        EXPECT_EQ(open.GetPixel(48, 16 + i), Blue);
    }
    // Closed: the frame is gone, the grid lines and the red frame are back.
    EXPECT_EQ(form.ScreenI.GetPixel(40, 16), Silver);
    EXPECT_EQ(form.ScreenI.GetPixel(96, 50), Red);
    EXPECT_FALSE(form.Modified);
}

TEST_F(SheetInteraction, RightClickWithoutTheFrameMarksTheChipsOwnBorder) {
    form.Click(ControlId::wakuMenu);
    form.ChangeChip(2, 1).SetPixel(15, 15, Rgb(5, 5, 5));
    platform.popupAnswers.push_back(std::nullopt);
    Press(40, 20, R);
    ASSERT_EQ(platform.sheetWhenOpen.size(), 1u);
    EXPECT_EQ(platform.sheetWhenOpen[0].GetPixel(47, 31), Blue);
    EXPECT_EQ(platform.sheetWhenOpen[0].GetPixel(48, 32), Black);
    EXPECT_EQ(form.ScreenI.GetPixel(47, 31), Rgb(5, 5, 5));
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The tool buttons, the one-level undo and the memory snapshot.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshViews.h"
#include "tests/support/StartedEditor.h"

namespace {

using canvas::Picture;
using canvas::Rgb;

constexpr const char* ReplayQuestion = "現在の状況を破棄し記憶しておいた状況を再生しますか？";
const ShiftState L{ShiftKey::Left};
const ShiftState R{ShiftKey::Right};

bool operator==(const TDef& a, const TDef& b) {
    return a.Zoom == b.Zoom && a.ChipSize == b.ChipSize && a.SheetCols == b.SheetCols && a.SheetRows == b.SheetRows &&
           a.ToolMode == b.ToolMode && a.GridLineColor == b.GridLineColor && a.SheetGridShown == b.SheetGridShown;
}

// Everything the replay may change, to compare before and after.
struct EditorState {
    std::vector<Picture> chips;
    TDef def;
    int curCol, curRow, penSize;
    bool modified, undoAvailable;
    std::vector<bool> checks;
    ControlId pressed;
    int position;
    std::string caption, rate;
    Picture sheet, edit;
    friend bool operator==(const EditorState&, const EditorState&) = default;
};

class UndoAndMemory : public ::testing::Test {
protected:
    Picture& chip() { return form.ChangeChip(form.CurCol, form.CurRow); }
    void Click(ControlId id) { form.Click(id); }
    void EditPress(int x, int y, ShiftState s) {
        form.EditIMouseDown(MouseButton::Left, s, x * form.Def.Zoom + 1, y * form.Def.Zoom + 1);
    }
    void Scribble(int col, int row, unsigned seed) {
        std::mt19937 rng(seed);
        for (int i = 0; i < 20; ++i)
            form.ChangeChip(col, row).SetPixel(static_cast<int>(rng() % 16), static_cast<int>(rng() % 16),
                                               rng() & 0xFFFFFF);
        form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows);
    }
    Picture FreshEditArea() { return ::FreshEditArea(form); }
    EditorState State() const {
        EditorState s{{form.project.Sheet.Chips().begin(), form.project.Sheet.Chips().end()},
                      form.Def,
                      form.CurCol,
                      form.CurRow,
                      form.PenSize,
                      form.Modified,
                      form.UndoAvailable(),
                      {},
                      form.controls.PressedTool(),
                      form.controls.Position(),
                      form.controls.Caption(ControlId::Form1),
                      form.controls.Caption(ControlId::pRate),
                      form.ScreenI,
                      form.EditI};
        for (std::size_t i = 0; i < ControlCount; ++i)
            s.checks.push_back(form.controls.Checked(static_cast<ControlId>(i)));
        return s;
    }

    StartedEditor started;
    FakePlatform& platform = started.platform;
    EditorForm& form = *started;
};

TEST_F(UndoAndMemory, UndoHasOneLevel) {
    Click(ControlId::FillB);
    form.SetLeftColor(Rgb(200, 0, 0));
    EditPress(0, 0, L);
    const Picture between = chip();
    form.SetLeftColor(Rgb(0, 200, 0));
    EditPress(0, 0, L);
    form.Undo();
    EXPECT_EQ(chip(), between);
    EXPECT_FALSE(form.UndoAvailable());
    EXPECT_EQ(form.EditI, FreshEditArea());
    EXPECT_EQ(form.ScreenI.GetPixel(5, 5), Rgb(200, 0, 0));
    form.Undo();  // nothing left to undo
    EXPECT_EQ(chip(), between);
}

TEST_F(UndoAndMemory, ReplayBeforeAnyMemoriseDoesNothing) {
    Scribble(0, 0, 1);
    form.Modified = true;
    const EditorState before = State();
    form.ReplaySnapshot();
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_TRUE(State() == before);
}

TEST_F(UndoAndMemory, ReplayRightAfterMemoriseChangesNothingButTheUndoState) {
    Scribble(3, 2, 5);
    Click(ControlId::CircleB);
    form.ScreenIMouseDown(MouseButton::Left, L, 50, 35);  // chip (3, 2)
    Click(ControlId::MemSaveB);
    form.Modified = true;
    form.TakeUndoCopy();
    EditorState before = State();
    platform.questionAnswers = {true};
    Click(ControlId::MemLoadB);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_TRUE(platform.shown[0].question);
    EXPECT_EQ(platform.shown[0].text, ReplayQuestion);
    EXPECT_FALSE(form.UndoAvailable());
    before.undoAvailable = false;
    before.modified = false;  // as memorised
    before.caption = "Tessaro ";
    EXPECT_TRUE(State() == before);
}

TEST_F(UndoAndMemory, ReplayBringsBackChipsAndViewSettingsButNotTheColours) {
    Scribble(0, 0, 1);
    Scribble(29, 15, 2);
    form.project.FileName = "sheet.bmp";
    Click(ControlId::LineB);
    Click(ControlId::MemSaveB);
    const EditorState memorised = State();
    const TMemorySnapshot& m = form.MemorySnapshot;
    EXPECT_EQ(m.MemFileName, "sheet.bmp");

    Scribble(0, 0, 3);
    Scribble(7, 7, 4);
    form.ScreenIMouseDown(MouseButton::Left, L, 200, 100);
    Click(ControlId::mZoom8);
    Click(ControlId::mPSize3);
    Click(ControlId::RedMenu);
    Click(ControlId::wakuMenu);
    Click(ControlId::chrSMenu);
    Click(ControlId::PenB);
    form.project.FileName = "other.bmp";
    form.SetLeftColor(Rgb(1, 2, 3));
    form.SetRightColor(Rgb(4, 5, 6));
    form.Modified = true;

    form.Pallete.ClearDirty();
    platform.questionAnswers = {true};
    Click(ControlId::MemLoadB);
    EditorState now = State();
    EXPECT_EQ(form.Pallete.Dirty(), (canvas::Rect{0, 0, 512, 96}));  // drawn again and shown
    EXPECT_TRUE(now.chips == memorised.chips);
    EXPECT_TRUE(now.def == memorised.def);
    EXPECT_EQ(now.curCol, 0);
    EXPECT_EQ(now.penSize, 1);
    EXPECT_FALSE(now.modified);
    EXPECT_EQ(now.checks, memorised.checks);
    EXPECT_TRUE(form.controls.Checked(ControlId::mZoom5));
    EXPECT_TRUE(form.controls.Checked(ControlId::mPSize1));
    EXPECT_TRUE(form.controls.Checked(ControlId::mPen1));
    EXPECT_TRUE(form.controls.Checked(ControlId::WhiteMenu));
    EXPECT_TRUE(form.controls.Checked(ControlId::wakuMenu));
    EXPECT_TRUE(form.controls.Checked(ControlId::chrSMenu));
    EXPECT_EQ(now.position, 5);
    EXPECT_EQ(now.rate, "×5 ");
    EXPECT_EQ(now.caption, "Tessaro sheet.bmp");
    EXPECT_EQ(now.pressed, ControlId::LineB);
    EXPECT_TRUE(now.sheet == memorised.sheet);
    EXPECT_TRUE(now.edit == memorised.edit);
    EXPECT_EQ(form.controls.Cursor(), EditCursor::Arrow);  // the cursor of the last button stays
    EXPECT_EQ(form.LeftColor, Rgb(1, 2, 3));
    EXPECT_EQ(form.RightColor, Rgb(4, 5, 6));
    EXPECT_EQ(form.controls.Caption(ControlId::lbcP), "1,2,3");
}

TEST_F(UndoAndMemory, CancelledReplayChangesNothing) {
    Click(ControlId::MemSaveB);
    Scribble(5, 5, 9);
    form.ScreenIMouseDown(MouseButton::Left, L, 90, 90);
    Click(ControlId::mZoom10);
    Click(ControlId::FillB);
    EditPress(2, 2, R);
    ASSERT_TRUE(form.UndoAvailable());
    const EditorState before = State();
    platform.questionAnswers = {false};
    Click(ControlId::MemLoadB);
    EXPECT_EQ(platform.shown.size(), 1u);
    EXPECT_TRUE(State() == before);
}

}  // namespace

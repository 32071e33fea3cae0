// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing tools of the edit area: pen, fill, ellipse, line, the rubber
// band, colour picks and the position text.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "edit/pending_shape.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshViews.h"
#include "tests/support/StartedEditor.h"

namespace {

using canvas::Colour;
using canvas::Picture;
using canvas::Rgb;

constexpr Colour White = 0xFFFFFF, Black = 0x000000, Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;
const ShiftState L{ShiftKey::Left};
const ShiftState R{ShiftKey::Right};

class DrawingTools : public ::testing::Test {
protected:
    Picture& chip() { return form.ChangeChip(form.CurCol, form.CurRow); }
    // A press or move in the middle of the cell of chip pixel (x, y).
    int At(int p) const { return p * form.Def.Zoom + form.Def.Zoom / 2; }
    void Press(int x, int y, ShiftState s) { form.EditIMouseDown(MouseButton::Left, s, At(x), At(y)); }
    void Move(int x, int y, ShiftState s) { form.EditIMouseMove(s, At(x), At(y)); }

    std::set<std::pair<int, int>> PixelsOf(Colour c) {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < chip().Height(); ++y)
            for (int x = 0; x < chip().Width(); ++x)
                if (chip().GetPixel(x, y) == c) out.insert({x, y});
        return out;
    }
    static std::set<std::pair<int, int>> Block(int x0, int y0, int x1, int y1) {
        std::set<std::pair<int, int>> out;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) out.insert({x, y});
        return out;
    }
    Picture FreshEditArea() { return ::FreshEditArea(form); }
    void RandomChip(unsigned seed) {
        std::mt19937 rng(seed);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) chip().SetPixel(x, y, rng() & 0xFFFFFF);
        form.RefreshEditArea();
    }
    void SetPen(int size) { form.PenSize = size; }
    void ClearChip() {
        chip().SetBrushColour(Black);
        chip().FillRect({0, 0, 16, 16});
    }

    StartedEditor started;
    FakePlatform& platform = started.platform;
    EditorForm& form = *started;
};

TEST_F(DrawingTools, EveryPressSetsModifiedButOnlyPlainButtonsDraw) {
    const Picture before = chip();
    for (ShiftState s : {ShiftState{ShiftKey::Middle}, ShiftState{ShiftKey::Shift, ShiftKey::Left},
                         ShiftState{ShiftKey::Alt, ShiftKey::Right}, ShiftState{ShiftKey::Left, ShiftKey::Right},
                         ShiftState{ShiftKey::Left, ShiftKey::Double}, ShiftState{}}) {
        form.Modified = false;
        Press(3, 3, s);
        EXPECT_TRUE(form.Modified);
    }
    EXPECT_EQ(chip(), before);
    EXPECT_EQ(form.LeftColor, White);
    EXPECT_EQ(form.RightColor, Black);
    Press(3, 3, L);
    EXPECT_EQ(chip().GetPixel(3, 3), White);
}

TEST_F(DrawingTools, CtrlClickPicksTheChipColourIntoTheButtonAndItsPanels) {
    chip().SetPixel(4, 5, Rgb(10, 20, 30));
    chip().SetPixel(6, 7, Rgb(1, 2, 3));
    const Picture before = chip();
    Press(4, 5, {ShiftKey::Ctrl, ShiftKey::Left});
    EXPECT_EQ(form.LeftColor, Rgb(10, 20, 30));
    EXPECT_EQ(form.controls.Colour(ControlId::lbP), Rgb(10, 20, 30));
    EXPECT_EQ(form.controls.Caption(ControlId::lbcP), "10,20,30");
    EXPECT_EQ(form.RightColor, Black);

    form.Modified = false;
    Press(6, 7, {ShiftKey::Ctrl, ShiftKey::Right});
    EXPECT_EQ(form.RightColor, Rgb(1, 2, 3));
    EXPECT_EQ(form.controls.Caption(ControlId::rbcP), "1,2,3");
    EXPECT_TRUE(form.Modified);
    EXPECT_EQ(chip(), before);  // a pick draws nothing, whatever the tool
}

TEST_F(DrawingTools, PenBlocksFollowThePenSizeAndStopAtTheChipEdges) {
    SetPen(2);
    Press(0, 0, L);
    EXPECT_EQ(PixelsOf(White), Block(0, 0, 0, 0));

    ClearChip();
    SetPen(4);
    Press(15, 15, L);
    EXPECT_EQ(PixelsOf(White), Block(13, 13, 15, 15));

    ClearChip();
    Press(5, 6, L);
    EXPECT_EQ(PixelsOf(White), Block(3, 4, 6, 7));

    ClearChip();
    SetPen(3);
    form.SetRightColor(Red);
    Press(5, 6, R);
    EXPECT_EQ(PixelsOf(Red), Block(4, 5, 6, 7));

    ClearChip();
    SetPen(2);
    Press(8, 0, L);
    EXPECT_EQ(PixelsOf(White), Block(7, 0, 8, 0));
}

TEST_F(DrawingTools, PenCellFillsTheCellBetweenTheGridLines) {
    form.EditIMouseDown(MouseButton::Left, L, 43, 17);  // zoom 5: chip pixel (8, 3)
    EXPECT_EQ(chip().GetPixel(8, 3), White);
    for (int y = 14; y < 22; ++y)
        for (int x = 39; x < 47; ++x) {
            const bool cell = x >= 42 && x < 45 && y >= 16 && y < 20;
            const bool line = x == 40 || x == 41 || x == 45 || y == 15 || y == 20;
            if (cell) {
                EXPECT_EQ(form.EditI.GetPixel(x, y), White) << x << "," << y;
            } else if (!line) {
                EXPECT_EQ(form.EditI.GetPixel(x, y), Black) << x << "," << y;
            }
        }
}

// The pen repaints cell by cell; what it leaves in the edit area must be what
// a full redraw from the chip shows, grid lines included, at every zoom, with
// and without lines, for every pen size and right up to the chip's edges.
TEST_F(DrawingTools, PenStrokesLeaveTheEditAreaAsAFullRedrawWould) {
    std::mt19937 rng(7);
    for (int zoom : {2, 3, 5, 8, 10}) {
        for (bool hidden : {false, true}) {
            form.Click(hidden ? ControlId::UnMenu : ControlId::GrayMenu);
            form.Click(static_cast<ControlId>(static_cast<int>(ControlId::mZoom2) + zoom - 2));
            ASSERT_EQ(form.Def.Zoom, zoom);
            RandomChip(rng());
            for (int i = 0; i < 40; ++i) {
                SetPen(1 + static_cast<int>(rng() % 4));
                form.SetLeftColor(rng() & 0xFFFFFF);
                const int X = static_cast<int>(rng() % (16 * zoom + 1));
                const int Y = static_cast<int>(rng() % (16 * zoom + 1));
                if (i % 2)
                    form.EditIMouseDown(MouseButton::Left, L, X, Y);
                else
                    form.EditIMouseMove(L, X, Y);
            }
            ASSERT_EQ(form.EditI, FreshEditArea()) << "zoom " << zoom << (hidden ? " lines erased" : "");
        }
    }
}

TEST_F(DrawingTools, PenKeepsTheUndoState) {
    form.Click(ControlId::FillB);
    Press(0, 0, R);  // a fill takes the copy
    const Picture copy = form.UndoImage();
    form.Def.ToolMode = 0;
    Press(3, 3, L);
    Move(4, 3, L);
    EXPECT_TRUE(form.UndoAvailable());
    EXPECT_EQ(form.UndoImage(), copy);

    form.project.history.DropOneLevel();
    Press(5, 5, L);
    EXPECT_FALSE(form.UndoAvailable());
}

TEST_F(DrawingTools, MovesShowThePositionBeforeDrawingAndPaintOnlyWithOneButton) {
    chip().SetPixel(3, 7, Rgb(12, 34, 56));
    Move(3, 7, ShiftState{});
    EXPECT_EQ(form.controls.Caption(ControlId::EditPos), "3,7 (12,34,56)");
    EXPECT_EQ(chip().GetPixel(3, 7), Rgb(12, 34, 56));

    Move(3, 7, L);
    EXPECT_EQ(form.controls.Caption(ControlId::EditPos), "3,7 (12,34,56)");  // read before the pen
    EXPECT_EQ(chip().GetPixel(3, 7), White);
    form.SetRightColor(Green);
    Move(4, 7, R);
    EXPECT_EQ(chip().GetPixel(4, 7), Green);
    Move(5, 7, {ShiftKey::Left, ShiftKey::Shift});
    Move(6, 7, {ShiftKey::Left, ShiftKey::Right});
    EXPECT_EQ(chip().GetPixel(5, 7), Black);
    EXPECT_EQ(chip().GetPixel(6, 7), Black);
}

TEST_F(DrawingTools, FillTakesTheUndoCopyAndFillsTheConnectedArea) {
    chip().SetPenColour(Red);
    chip().MoveTo(0, 5);
    chip().LineTo(16, 5);  // a red wall across the chip
    const Picture before = chip();
    form.Click(ControlId::FillB);
    form.SetRightColor(Blue);
    Press(2, 9, R);
    EXPECT_EQ(form.UndoImage(), before);
    EXPECT_TRUE(form.UndoAvailable());
    EXPECT_EQ(PixelsOf(Blue), Block(0, 6, 15, 15));
    EXPECT_EQ(PixelsOf(Red), Block(0, 5, 15, 5));
    EXPECT_EQ(form.EditI, FreshEditArea());
    EXPECT_EQ(form.ScreenI.GetPixel(5, 12), Blue);
}

TEST(EllipseBoxRules, BoxIncludesBothClickedPixelsInEveryDirection) {
    EXPECT_EQ(EllipseBox(2, 3, 6, 8), (EllipseCorners{2, 3, 7, 9}));
    EXPECT_EQ(EllipseBox(6, 3, 2, 8), (EllipseCorners{7, 3, 2, 9}));
    EXPECT_EQ(EllipseBox(6, 8, 2, 3), (EllipseCorners{7, 9, 2, 3}));
    EXPECT_EQ(EllipseBox(2, 8, 6, 3), (EllipseCorners{2, 9, 7, 3}));
    EXPECT_EQ(EllipseBox(4, 2, 4, 9), (EllipseCorners{4, 2, 4, 9}));
    EXPECT_EQ(EllipseBox(1, 5, 7, 5), (EllipseCorners{1, 5, 7, 5}));
}

TEST_F(DrawingTools, EllipseFillsTheSameBoxWhicheverCornerComesFirst) {
    form.SetLeftColor(Green);
    form.SetRightColor(Red);
    form.Click(ControlId::CircleB);
    Press(2, 3, L);
    EXPECT_EQ(form.Def.ToolMode, 3);
    EXPECT_EQ(PixelsOf(Black).size(), 256u);  // the first press draws nothing
    Press(6, 8, R);
    EXPECT_EQ(form.Def.ToolMode, 2);
    const Picture first = chip();

    std::set<std::pair<int, int>> shape = PixelsOf(Green);
    const std::set<std::pair<int, int>> outline = PixelsOf(Red);
    EXPECT_FALSE(shape.empty());
    EXPECT_FALSE(outline.empty());
    shape.insert(outline.begin(), outline.end());
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (auto [x, y] : shape) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, 2);
    EXPECT_EQ(maxX, 6);
    EXPECT_EQ(minY, 3);
    EXPECT_EQ(maxY, 8);
    EXPECT_EQ(chip().GetPixel(4, 5), Green);
    EXPECT_EQ(form.EditI, FreshEditArea());

    const int orders[3][4] = {{6, 8, 2, 3}, {6, 3, 2, 8}, {2, 8, 6, 3}};
    for (const auto& o : orders) {
        ClearChip();
        Press(o[0], o[1], R);
        Press(o[2], o[3], L);
        EXPECT_EQ(chip(), first) << o[0] << "," << o[1] << " to " << o[2] << "," << o[3];
    }
}

// The rubber band shows in both views exactly what the second press would
// leave, and leaves the chip, the undo state and Modified as they were.
TEST_F(DrawingTools, RubberBandShowsTheShapeButLeavesTheChipAsItWas) {
    RandomChip(3);
    form.SetLeftColor(Green);
    form.SetRightColor(Red);
    for (ControlId tool : {ControlId::CircleB, ControlId::LineB}) {
        form.Click(tool);
        Press(12, 2, R);
        const Picture before = chip();
        form.Modified = false;
        form.project.history.DropOneLevel();

        Move(5, 9, ShiftState{});  // no button held: it follows all the same
        EXPECT_EQ(chip(), before);
        EXPECT_FALSE(form.Modified);
        EXPECT_FALSE(form.UndoAvailable());
        const Picture shownEdit = form.EditI;
        const Picture shownSheet = form.ScreenI;
        EXPECT_NE(shownEdit, FreshEditArea());

        Press(5, 9, L);
        EXPECT_EQ(form.EditI, shownEdit) << NameOf(tool);
        EXPECT_EQ(form.ScreenI, shownSheet) << NameOf(tool);
        EXPECT_NE(chip(), before);
        chip() = before;
        form.RefreshEditArea();
    }
}

}  // namespace

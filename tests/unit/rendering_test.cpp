// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet view, the edit area and the composed sheet, pixel for pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

constexpr canvas::Colour White = 0xFFFFFF;
constexpr canvas::Colour Silver = 0xC0C0C0;
constexpr canvas::Colour Red = 0x0000FF;

// A colour that differs for every pixel of every chip and is never one of
// the line colours (its blue byte is 7).
canvas::Colour PatternColour(int slot, int x, int y) {
    return canvas::Rgb((slot * 3 + x) & 0xFF, (slot / 2 + y * 13) & 0xFF, 7);
}

class RenderingTest : public ::testing::Test {
protected:
    void PaintPattern() {
        for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    form->ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows)
                        .SetPixel(x, y, PatternColour(slot, x, y));
    }

    // The chip pixel that the sheet shows at (x, y) of the sheet.
    canvas::Colour SheetPixel(int x, int y) const { return form->Chip(x / 16, y / 16).GetPixel(x % 16, y % 16); }

private:
    ScratchDirectory scratch_;  // made before the editor, which reads ./tsr.def as it starts

protected:
    StartedEditor started;
    FakePlatform& platform = started.platform;
    std::unique_ptr<EditorForm>& form = started.form;
};

TEST_F(RenderingTest, SheetViewWithFrameAndGrid) {
    const canvas::Picture& v = form->ScreenI;
    ASSERT_EQ(v.Width(), 481);
    ASSERT_EQ(v.Height(), 257);
    for (int y = 0; y < 257; ++y) ASSERT_EQ(v.GetPixel(480, y), White) << "y " << y;
    for (int x = 0; x < 481; ++x) ASSERT_EQ(v.GetPixel(x, 256), White) << "x " << x;
    EXPECT_EQ(v.GetPixel(32, 0), Silver);
    EXPECT_EQ(v.GetPixel(32, 255), Silver);
    EXPECT_EQ(v.GetPixel(0, 32), Silver);
    EXPECT_EQ(v.GetPixel(479, 32), Silver);
    EXPECT_EQ(v.GetPixel(32, 256), White);
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(v.GetPixel(0, i), Red) << i;
        EXPECT_EQ(v.GetPixel(16, i), Red) << i;
        EXPECT_EQ(v.GetPixel(i, 0), Red) << i;
        EXPECT_EQ(v.GetPixel(i, 16), Red) << i;
    }
    EXPECT_EQ(v.GetPixel(17, 0), White);
    EXPECT_EQ(v.GetPixel(0, 17), White);
    EXPECT_EQ(v.GetPixel(1, 1), 0u);
    EXPECT_EQ(v.GetPixel(33, 33), 0u);
    EXPECT_EQ(v.PenColour(), Silver);
    EXPECT_EQ(v.BrushColour(), Red);
}

TEST_F(RenderingTest, SheetViewGridLinesLeaveChipInteriors) {
    PaintPattern();
    form->CurCol = 7;
    form->CurRow = 9;
    form->Relayout(16, 30, 16);
    const canvas::Picture& v = form->ScreenI;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 480; ++x) {
            const bool onFrame = x == 0 || y == 0;
            // Grid lines start on the frame, so they win where they meet it.
            const bool onGrid = (x % 16 == 0 && x > 0) || (y % 16 == 0 && y > 0);
            const bool onCurrent = (x == 7 * 16 || x == 8 * 16) && y >= 9 * 16 && y <= 10 * 16;
            const bool onCurrentRow = (y == 9 * 16 || y == 10 * 16) && x >= 7 * 16 && x <= 8 * 16;
            canvas::Colour expected = SheetPixel(x, y);
            if (onCurrent || onCurrentRow)
                expected = Red;
            else if (onGrid)
                expected = Silver;
            else if (onFrame)
                expected = White;
            ASSERT_EQ(v.GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(RenderingTest, SheetViewWithoutFrameShowsEveryChipPixel) {
    PaintPattern();
    form->CurCol = 2;
    form->CurRow = 1;
    form->wakuMenuClick();
    const canvas::Picture& v = form->ScreenI;
    ASSERT_EQ(v.Width(), 480);
    ASSERT_EQ(v.Height(), 256);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 480; ++x) {
            const bool insideCurrent = x >= 32 && x <= 47 && y >= 16 && y <= 31;
            const bool onFrame = insideCurrent && (x == 32 || x == 47 || y == 16 || y == 31);
            ASSERT_EQ(v.GetPixel(x, y), onFrame ? Red : SheetPixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(RenderingTest, FrameShownAgainGivesTheSameView) {
    PaintPattern();
    form->Relayout(16, 30, 16);
    const canvas::Picture before = form->ScreenI;
    form->wakuMenuClick();
    form->wakuMenuClick();
    EXPECT_TRUE(form->Def.SheetGridShown);
    EXPECT_EQ(form->ScreenI, before);
}

TEST_F(RenderingTest, DrawChipFramesTheChipOnTheGridOrOnItsBorder) {
    PaintPattern();
    form->Relayout(16, 30, 16);
    form->DrawChip(3, 2, true);
    const canvas::Picture& v = form->ScreenI;
    // With the grid: 17 pixels on a side, on the grid lines round the chip.
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(v.GetPixel(48 + i, 32), Red);
        EXPECT_EQ(v.GetPixel(48 + i, 48), Red);
        EXPECT_EQ(v.GetPixel(48, 32 + i), Red);
        EXPECT_EQ(v.GetPixel(64, 32 + i), Red);
    }
    EXPECT_EQ(v.GetPixel(49, 33), SheetPixel(49, 33));

    form->wakuMenuClick();
    form->DrawChip(5, 4, true);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(form->ScreenI.GetPixel(80 + i, 64), Red);
        EXPECT_EQ(form->ScreenI.GetPixel(80 + i, 79), Red);
        EXPECT_EQ(form->ScreenI.GetPixel(80, 64 + i), Red);
        EXPECT_EQ(form->ScreenI.GetPixel(95, 64 + i), Red);
    }
    EXPECT_EQ(form->ScreenI.GetPixel(96, 64), SheetPixel(96, 64));
}

TEST_F(RenderingTest, DrawChipWithoutFrameCoversTheGridOnItsFirstColumnAndRow) {
    PaintPattern();
    form->Relayout(16, 30, 16);
    EXPECT_EQ(form->ScreenI.GetPixel(64, 40), Silver);
    form->DrawChip(4, 2, false);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(form->ScreenI.GetPixel(64, 32 + i), SheetPixel(64, 32 + i));
        EXPECT_EQ(form->ScreenI.GetPixel(64 + i, 32), SheetPixel(64 + i, 32));
    }
    EXPECT_EQ(form->ScreenI.GetPixel(80, 40), Silver);  // the next chip's line stays
}

// Every pixel of the edit area: grid colour on the line positions, else the
// magnified chip pixel.
void ExpectEditArea(const EditorForm& form, int zoom, canvas::Colour lineColour, bool lines) {
    const canvas::Picture& e = form.EditI;
    const int side = 16 * zoom + (lines ? 1 : 0);
    ASSERT_EQ(e.Width(), side);
    ASSERT_EQ(e.Height(), side);
    std::set<int> onLine;
    if (lines) {
        for (int i = 0; i <= 16; ++i) onLine.insert(i * zoom);
        onLine.insert(8 * zoom + 1);
    }
    const canvas::Picture& chip = form.Chip(form.CurCol, form.CurRow);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool line = onLine.count(x) != 0 || onLine.count(y) != 0;
            ASSERT_EQ(e.GetPixel(x, y), line ? lineColour : chip.GetPixel(x / zoom, y / zoom))
                << "zoom " << zoom << " at " << x << "," << y;
        }
}

TEST_F(RenderingTest, EditAreaAtZoomFive) {
    PaintPattern();
    form->Relayout(16, 30, 16);
    ExpectEditArea(*form, 5, White, true);
    // Chip pixel (0, 0) shows on the 4 x 4 pixels inside its lines only.
    const canvas::Colour first = form->Chip(0, 0).GetPixel(0, 0);
    EXPECT_EQ(form->EditI.GetPixel(1, 1), first);
    EXPECT_EQ(form->EditI.GetPixel(4, 4), first);
    EXPECT_EQ(form->EditI.GetPixel(0, 2), White);
    EXPECT_EQ(form->EditI.GetPixel(41, 2), White);
    EXPECT_EQ(form->EditI.GetPixel(42, 2), form->Chip(0, 0).GetPixel(8, 0));
}

TEST_F(RenderingTest, EditAreaAtZoomTwoAndTen) {
    PaintPattern();
    form->CurCol = 11;
    form->CurRow = 6;
    form->mZoomClick(ControlId::mZoom2);
    ExpectEditArea(*form, 2, White, true);
    // Chip column 8 (x = 16, 17) is wholly covered by lines.
    for (int y = 0; y < 33; ++y) {
        EXPECT_EQ(form->EditI.GetPixel(16, y), White);
        EXPECT_EQ(form->EditI.GetPixel(17, y), White);
    }
    form->mZoomClick(ControlId::mZoom10);
    ExpectEditArea(*form, 10, White, true);
    EXPECT_EQ(form->EditI.GetPixel(80, 5), White);
    EXPECT_EQ(form->EditI.GetPixel(81, 5), White);
    EXPECT_EQ(form->EditI.GetPixel(82, 5), form->Chip(11, 6).GetPixel(8, 0));
}

TEST_F(RenderingTest, EditAreaWithLinesErased) {
    PaintPattern();
    form->LineColor(ControlId::UnMenu);
    ExpectEditArea(*form, 5, White, false);
    const canvas::Picture before = form->EditI;
    form->DrawEditGrid(16);
    EXPECT_EQ(form->EditI, before);
}

TEST_F(RenderingTest, LinesComeBackInTheChosenColour) {
    PaintPattern();
    form->LineColor(ControlId::UnMenu);
    form->LineColor(ControlId::GrayMenu);
    ExpectEditArea(*form, 5, 0x808080, true);
    EXPECT_EQ(form->EditI.PenColour(), 0x808080u);
    form->LineColor(ControlId::BlueMenu);
    ExpectEditArea(*form, 5, 0xFF0000, true);
}

TEST_F(RenderingTest, RefreshEditAreaShowsTheCurrentChip) {
    PaintPattern();
    form->CurCol = 29;
    form->CurRow = 15;
    form->RefreshEditArea();
    ExpectEditArea(*form, 5, White, true);
}

TEST_F(RenderingTest, RelayoutKeepsChipsAndComposeSheetLaysThemSideBySide) {
    PaintPattern();
    std::vector<canvas::Picture> before(form->project.Sheet.Chips().begin(), form->project.Sheet.Chips().end());
    form->Relayout(16, 30, 16);
    for (std::size_t slot = 0; slot < before.size(); ++slot)
        ASSERT_EQ(form->project.Sheet.Chips()[slot], before[slot]) << slot;

    form->ComposeSheet();
    ASSERT_EQ(form->SheetImage.Width(), 480);
    ASSERT_EQ(form->SheetImage.Height(), 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) ASSERT_EQ(form->SheetImage.GetPixel(x, y), SheetPixel(x, y)) << x << "," << y;
}

TEST_F(RenderingTest, RelayoutToAnotherSizeCutsOrGrowsChipsFromTheTopLeft) {
    PaintPattern();
    const canvas::Picture original = form->Chip(3, 2);
    const canvas::Picture outside = form->Chip(29, 15);
    form->Relayout(20, 4, 3);
    EXPECT_EQ(form->Def.ChipSize, 20);
    EXPECT_EQ(form->Def.SheetCols, 4);
    EXPECT_EQ(form->Def.SheetRows, 3);
    const canvas::Picture& grown = form->Chip(3, 2);
    ASSERT_EQ(grown.Width(), 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(grown.GetPixel(x, y), x < 16 && y < 16 ? original.GetPixel(x, y) : 0u) << x << "," << y;
    // Chips outside the grid are not touched; the views follow the new size.
    EXPECT_EQ(form->Chip(29, 15), outside);
    EXPECT_EQ(form->ScreenI.Width(), 81);
    EXPECT_EQ(form->ScreenI.Height(), 61);
    EXPECT_EQ(form->EditI.Width(), 101);
    EXPECT_EQ(form->ScreenI.GetPixel(3 * 20 + 5, 2 * 20 + 5), original.GetPixel(5, 5));

    form->Relayout(10, 4, 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(form->Chip(3, 2).GetPixel(x, y), original.GetPixel(x, y));
    EXPECT_EQ(form->Chip(3, 2).Width(), 10);
}

}  // namespace

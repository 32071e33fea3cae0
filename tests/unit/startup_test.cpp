// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up state, the fixed palette, closing and the control wiring.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

// Start-up reads ./tsr.def, so every editor starts in an empty directory.
class StartupTest : public ::testing::Test {
protected:
private:
    ScratchDirectory scratch_;  // made before the editor, which reads ./tsr.def as it starts

protected:
    StartedEditor started;
    FakePlatform& platform = started.platform;
    std::unique_ptr<EditorForm>& form = started.form;
};

std::uint8_t ByteOf(std::uint32_t entry, int k) { return static_cast<std::uint8_t>(entry >> (8 * k)); }

// The colour of a palette entry, read back from its colour-table bytes.
canvas::Colour EntryColour(std::uint32_t entry) {
    return canvas::Rgb(ByteOf(entry, 2), ByteOf(entry, 1), ByteOf(entry, 0));
}

TEST_F(StartupTest, ViewRecordAndFieldsHaveTheirDefaults) {
    EXPECT_EQ(form->project.FileName, "");
    EXPECT_EQ(form->Def.Zoom, 5);
    EXPECT_EQ(form->Def.ChipSize, 16);
    EXPECT_EQ(form->Def.SheetCols, 30);
    EXPECT_EQ(form->Def.SheetRows, 16);
    EXPECT_EQ(form->Def.ToolMode, 0);
    EXPECT_EQ(form->Def.GridLineColor, 0xFFFFFFu);
    EXPECT_TRUE(form->Def.SheetGridShown);
    EXPECT_EQ(form->CurCol, 0);
    EXPECT_EQ(form->CurRow, 0);
    EXPECT_EQ(form->LeftColor, 0xFFFFFFu);
    EXPECT_EQ(form->RightColor, 0x000000u);
    EXPECT_EQ(form->PenSize, 1);
    EXPECT_FALSE(form->Modified);
    EXPECT_FALSE(form->UndoAvailable());
    EXPECT_TRUE(form->UndoImage().IsEmpty());
    EXPECT_TRUE(form->PreviewImage.IsEmpty());
    EXPECT_TRUE(form->MemorySnapshot.MemSheetImage.IsEmpty());
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(StartupTest, ControlsShowTheDefaults) {
    const Controls& c = form->controls;
    for (ControlId id : {ControlId::WhiteMenu, ControlId::mZoom5, ControlId::mPSize1, ControlId::mPen1,
                         ControlId::wakuMenu, ControlId::chrSMenu})
        EXPECT_TRUE(c.Checked(id)) << NameOf(id);
    for (ControlId id : {ControlId::UnMenu, ControlId::RedMenu, ControlId::mZoom2, ControlId::mZoom10,
                         ControlId::mPSize2, ControlId::mPen4})
        EXPECT_FALSE(c.Checked(id)) << NameOf(id);
    EXPECT_EQ(c.Position(), 5);
    EXPECT_EQ(c.Caption(ControlId::pRate), "×5 ");
    EXPECT_EQ(c.PressedTool(), ControlId::PenB);
    EXPECT_FALSE(c.Enabled(ControlId::MemLoadB));
    EXPECT_TRUE(c.Enabled(ControlId::MemSaveB));
    EXPECT_EQ(c.Colour(ControlId::lbP), 0xFFFFFFu);
    EXPECT_EQ(c.Caption(ControlId::lbcP), "255,255,255");
    EXPECT_EQ(c.Colour(ControlId::rbP), 0x000000u);
    EXPECT_EQ(c.Caption(ControlId::rbcP), "0,0,0");
}

TEST_F(StartupTest, EveryChipIsBlackAndSixteenSquare) {
    const canvas::Picture black(16, 16);
    for (int c = 0; c < sheet::Default.cols; ++c)
        for (int r = 0; r < sheet::Default.rows; ++r) ASSERT_EQ(form->Chip(c, r), black) << c << ", " << r;
}

TEST_F(StartupTest, ViewsTakeTheirStartSizes) {
    EXPECT_EQ(form->ScreenI.Width(), 481);
    EXPECT_EQ(form->ScreenI.Height(), 257);
    EXPECT_EQ(form->EditI.Width(), 81);
    EXPECT_EQ(form->EditI.Height(), 81);
    EXPECT_EQ(form->Pallete.Width(), 512);
    EXPECT_EQ(form->Pallete.Height(), 96);
}

TEST_F(StartupTest, ChipSlotsRunDownEachColumn) {
    // A mark in slot 16 shows at column 1, row 0 of the sheet; slot 1 at
    // column 0, row 1; slot 479 at the last chip.
    form->ChangeChip(16 / sheet::Default.rows, 16 % sheet::Default.rows).SetPixel(3, 3, 0x112233);
    form->ChangeChip(1 / sheet::Default.rows, 1 % sheet::Default.rows).SetPixel(3, 3, 0x445566);
    form->ChangeChip(479 / sheet::Default.rows, 479 % sheet::Default.rows).SetPixel(3, 3, 0x778899);
    form->Relayout(16, 30, 16);
    EXPECT_EQ(form->ScreenI.GetPixel(16 + 3, 3), 0x112233u);
    EXPECT_EQ(form->ScreenI.GetPixel(3, 16 + 3), 0x445566u);
    EXPECT_EQ(form->ScreenI.GetPixel(29 * 16 + 3, 15 * 16 + 3), 0x778899u);
}

TEST_F(StartupTest, ColourTableHoldsEntriesInBlueGreenRedOrder) {
    const auto& p = form->Palette256;
    const std::uint8_t entry1[] = {0x00, 0x00, 0x33, 0x00};
    const std::uint8_t entry36[] = {0x33, 0x00, 0x00, 0x00};
    const std::uint8_t entry6[] = {0x00, 0x33, 0x00, 0x00};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(ByteOf(p[1], k), entry1[k]) << "byte " << k;
        EXPECT_EQ(ByteOf(p[36], k), entry36[k]) << "byte " << k;
        EXPECT_EQ(ByteOf(p[6], k), entry6[k]) << "byte " << k;
    }
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[215], 0x00FFFFFFu);
    for (int d = 216; d <= 223; ++d) EXPECT_EQ(p[d], 0u) << "entry " << d;
    EXPECT_EQ(p[224], 0x00080808u);
    EXPECT_EQ(p[254], 0x00F8F8F8u);
    EXPECT_EQ(p[255], 0x00FFFFFFu);
    // Every cube entry is a multiple of 51 on each channel; the greys are exact.
    for (int d = 0; d < 216; ++d) {
        const canvas::Colour c = EntryColour(p[d]);
        EXPECT_EQ(canvas::RedOf(c), 51 * (d % 6)) << d;
        EXPECT_EQ(canvas::GreenOf(c), 51 * (d / 6 % 6)) << d;
        EXPECT_EQ(canvas::BlueOf(c), 51 * (d / 36)) << d;
    }
    for (int d = 224; d <= 254; ++d)
        EXPECT_EQ(EntryColour(p[d]), canvas::Rgb(8 * (d - 223), 8 * (d - 223), 8 * (d - 223)));
}

TEST_F(StartupTest, PalettePictureShowsTheColourTable) {
    ASSERT_EQ(form->PalettePicture.Width(), 32);
    ASSERT_EQ(form->PalettePicture.Height(), 8);
    for (int d = 0; d < 256; ++d)
        EXPECT_EQ(form->PalettePicture.GetPixel(d % 32, d / 32), EntryColour(form->Palette256[d])) << "entry " << d;
    EXPECT_EQ(form->PalettePicture.GetPixel(1, 0), canvas::Rgb(51, 0, 0));
    EXPECT_EQ(form->PalettePicture.GetPixel(0, 7), canvas::Rgb(8, 8, 8));
    EXPECT_EQ(form->PalettePicture.GetPixel(31, 7), canvas::White);
}

TEST_F(StartupTest, PaletteViewShowsEachCellAsA16By12Block) {
    struct Cell {
        int col, row;
        canvas::Colour colour;
    };
    const Cell cells[] = {{0, 0, 0},
                          {1, 0, canvas::Rgb(51, 0, 0)},
                          {6, 0, canvas::Rgb(0, 51, 0)},
                          {4, 1, canvas::Rgb(0, 0, 51)},
                          {23, 6, canvas::Rgb(255, 255, 255)},
                          {0, 7, canvas::Rgb(8, 8, 8)},
                          {30, 7, canvas::Rgb(248, 248, 248)},
                          {31, 7, canvas::White}};
    for (const Cell& cell : cells)
        for (int y = cell.row * 12; y < cell.row * 12 + 12; ++y)
            for (int x = cell.col * 16; x < cell.col * 16 + 16; ++x)
                ASSERT_EQ(form->Pallete.GetPixel(x, y), cell.colour) << "cell " << cell.col << "," << cell.row;
    for (int col = 24; col < 32; ++col)
        for (int y = 72; y < 84; ++y)
            for (int x = col * 16; x < col * 16 + 16; ++x) ASSERT_EQ(form->Pallete.GetPixel(x, y), 0u);
    // And every block, as a whole, is the palette picture's pixel.
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 512; ++x)
            ASSERT_EQ(form->Pallete.GetPixel(x, y), form->PalettePicture.GetPixel(x / 16, y / 12)) << x << "," << y;
}

TEST_F(StartupTest, ColourTextIsDecimalRedGreenBlue) {
    EXPECT_EQ(ColourText(canvas::Rgb(255, 0, 51)), "255,0,51");
    EXPECT_EQ(ColourText(canvas::Rgb(0, 0, 0)), "0,0,0");
    EXPECT_EQ(ColourText(canvas::Rgb(7, 80, 200)), "7,80,200");
    form->SetRightColor(canvas::Rgb(1, 2, 3));
    EXPECT_EQ(form->RightColor, canvas::Rgb(1, 2, 3));
    EXPECT_EQ(form->controls.Colour(ControlId::rbP), canvas::Rgb(1, 2, 3));
    EXPECT_EQ(form->controls.Caption(ControlId::rbcP), "1,2,3");
    EXPECT_EQ(form->LeftColor, canvas::White);
}

TEST_F(StartupTest, CaptionShowsTheFileName) {
    form->project.FileName = "map.bmp";
    form->ShowFileNameInCaption();
    EXPECT_EQ(form->controls.Caption(ControlId::Form1), "Tessaro map.bmp");
    form->project.FileName.clear();
    form->ShowFileNameInCaption();
    EXPECT_EQ(form->controls.Caption(ControlId::Form1), "Tessaro ");
}

TEST_F(StartupTest, DroppingAPendingPointKeepsTheTool) {
    const int before[] = {0, 1, 2, 3, 4, 5};
    const int after[] = {0, 1, 2, 2, 4, 4};
    for (int i = 0; i < 6; ++i) {
        form->Def.ToolMode = before[i];
        form->DropPendingPoint();
        EXPECT_EQ(form->Def.ToolMode, after[i]) << "from " << before[i];
    }
}

TEST_F(StartupTest, ClosingWithoutChangesAsksNothing) {
    TCloseAction action = TCloseAction::caNone;
    form->FormClose(action);
    EXPECT_EQ(action, TCloseAction::caFree);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(StartupTest, CancelledCloseKeepsEverythingAndAsksAgain) {
    form->ChangeChip(2, 3).SetPixel(1, 1, 0x00FF00);
    form->Modified = true;
    const canvas::Picture chip = form->Chip(2, 3);
    platform.questionAnswers = {false, true};

    TCloseAction action = TCloseAction::caFree;
    form->FormClose(action);
    EXPECT_EQ(action, TCloseAction::caNone);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_TRUE(platform.shown[0].question);
    EXPECT_EQ(platform.shown[0].text, "保存しないでこのまま終了してよろしいですか？");
    EXPECT_EQ(form->Chip(2, 3), chip);
    EXPECT_TRUE(form->Modified);

    action = TCloseAction::caFree;
    form->FormClose(action);
    EXPECT_EQ(action, TCloseAction::caFree);
    EXPECT_EQ(platform.shown.size(), 2u);
}

TEST_F(StartupTest, ClickRunsTheHandlerOfTheControl) {
    form->Click(ControlId::RedMenu);
    EXPECT_EQ(form->Def.GridLineColor, 0x0000FFu);
    form->Click(ControlId::mZoom3);
    EXPECT_EQ(form->Def.Zoom, 3);
    form->Click(ControlId::mPSize2);
    EXPECT_EQ(form->PenSize, 2);
    form->Click(ControlId::mPen4);
    EXPECT_EQ(form->PenSize, 4);
    form->Click(ControlId::wakuMenu);
    EXPECT_FALSE(form->Def.SheetGridShown);
    form->Click(ControlId::chrSMenu);
    EXPECT_FALSE(form->controls.Checked(ControlId::chrSMenu));
    form->Click(ControlId::UnMenu);
    EXPECT_TRUE(form->controls.Checked(ControlId::UnMenu));
}

TEST_F(StartupTest, ControlsWithoutAClickHandlerAreRefused) {
    for (ControlId id : {ControlId::N1, ControlId::N2, ControlId::N3, ControlId::DefMenu, ControlId::LColorMenu,
                         ControlId::Z1, ControlId::B1, ControlId::FileMenu, ControlId::ScreenMenu, ControlId::mPen,
                         ControlId::lbP, ControlId::pRate, ControlId::udRate, ControlId::EditI, ControlId::Form1}) {
        try {
            form->Click(id);
            ADD_FAILURE() << NameOf(id) << " was accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), std::string(NameOf(id)) + " has no click handler");
        }
    }
    EXPECT_THROW(form->OpenMenu(ControlId::DefMenu), std::invalid_argument);
    EXPECT_THROW(form->OpenMenu(ControlId::mPen), std::invalid_argument);
}

// A menu's items are reached by their accelerator letters: two items of one
// menu with the same letter would leave one of them out of reach.
TEST_F(StartupTest, NoTwoItemsOfAMenuShareAnAcceleratorLetter) {
    std::map<std::pair<ControlId, char>, ControlId> seen;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlInfo& info = InfoOf(static_cast<ControlId>(i));
        if (info.kind != ControlKind::Menu && info.kind != ControlKind::MenuItem) continue;
        const std::size_t amp = info.caption.find('&');
        if (amp == std::string_view::npos || amp + 1 >= info.caption.size()) continue;
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(info.caption[amp + 1])));
        const auto [at, fresh] = seen.emplace(std::pair{info.parent, letter}, info.id);
        EXPECT_TRUE(fresh) << NameOf(info.id) << " and " << NameOf(at->second) << " share &" << letter;
    }
}

}  // namespace

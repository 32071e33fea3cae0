// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file read at start-up and the view-settings handlers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"

namespace {

// Each test runs in a fresh directory of its own, where it may lay out a
// tsr.def before the editor starts.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {}

    static void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        out << text;
    }

    // A fresh editor started with this tsr.def (none when `text` is null).
    EditorForm& Start(const char* text) {
        if (text) WriteFile("tsr.def", text);
        platform = std::make_unique<FakePlatform>();
        form = std::make_unique<EditorForm>(*platform);
        form->FormCreate();
        return *form;
    }
    EditorForm& Start(const std::string& text) {
        WriteFile("tsr.def", text);
        return Start(static_cast<const char*>(nullptr));
    }

    // Every view setting at its start-up default, and nothing shown.
    void ExpectDefaults(const std::string& what) {
        SCOPED_TRACE(what);
        const Controls& c = form->controls;
        EXPECT_EQ(form->Def.Zoom, 5);
        EXPECT_EQ(form->PenSize, 1);
        EXPECT_EQ(form->Def.GridLineColor, 0xFFFFFFu);
        EXPECT_TRUE(form->Def.SheetGridShown);
        EXPECT_TRUE(c.Checked(ControlId::WhiteMenu));
        EXPECT_FALSE(c.Checked(ControlId::UnMenu));
        EXPECT_TRUE(c.Checked(ControlId::mZoom5));
        EXPECT_TRUE(c.Checked(ControlId::mPSize1));
        EXPECT_TRUE(c.Checked(ControlId::mPen1));
        EXPECT_TRUE(c.Checked(ControlId::wakuMenu));
        EXPECT_TRUE(c.Checked(ControlId::chrSMenu));
        EXPECT_EQ(c.Position(), 5);
        EXPECT_EQ(c.Caption(ControlId::pRate), "×5 ");
        EXPECT_EQ(form->ScreenI.Width(), 481);
        EXPECT_EQ(form->EditI.Width(), 81);
        EXPECT_EQ(form->Def.ChipSize, 16);
        EXPECT_EQ(form->Def.SheetCols, 30);
        EXPECT_EQ(form->Def.SheetRows, 16);
        EXPECT_TRUE(platform->shown.empty());
    }

    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<EditorForm> form;

private:
    ScratchDirectory scratch_;
};

TEST_F(SettingsTest, NoFileKeepsTheDefaults) {
    Start(nullptr);
    ExpectDefaults("no file");
    Start("");
    ExpectDefaults("empty file");
}

TEST_F(SettingsTest, ZoomLineColourAndFrameFromTheFile) {
    EditorForm& f = Start("zoom=7\nline=red\nbox=off\n");
    EXPECT_EQ(f.Def.Zoom, 7);
    EXPECT_TRUE(f.controls.Checked(ControlId::mZoom7));
    EXPECT_FALSE(f.controls.Checked(ControlId::mZoom5));
    EXPECT_EQ(f.controls.Position(), 7);
    EXPECT_EQ(f.controls.Caption(ControlId::pRate), "×7 ");
    EXPECT_EQ(f.Def.GridLineColor, 0x0000FFu);
    EXPECT_TRUE(f.controls.Checked(ControlId::RedMenu));
    EXPECT_FALSE(f.controls.Checked(ControlId::WhiteMenu));
    EXPECT_EQ(f.EditI.Width(), 16 * 7 + 1);
    EXPECT_EQ(f.EditI.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(f.EditI.GetPixel(7, 3), 0x0000FFu);
    EXPECT_FALSE(f.Def.SheetGridShown);
    EXPECT_FALSE(f.controls.Checked(ControlId::wakuMenu));
    EXPECT_EQ(f.ScreenI.Width(), 480);
    EXPECT_EQ(f.ScreenI.Height(), 256);
    EXPECT_EQ(f.ScreenI.GetPixel(32, 5), 0u);  // no grid line
    EXPECT_FALSE(f.Modified);
    EXPECT_FALSE(f.UndoAvailable());
    EXPECT_TRUE(platform->shown.empty());
}

TEST_F(SettingsTest, LinesEndAtCrLfOrCrLf) {
    EditorForm& f = Start("zoom=8\r\npen=3\rline=blue\n\nresize=off");
    EXPECT_EQ(f.Def.Zoom, 8);
    EXPECT_EQ(f.PenSize, 3);
    EXPECT_TRUE(f.controls.Checked(ControlId::mPSize3));
    EXPECT_TRUE(f.controls.Checked(ControlId::mPen3));
    EXPECT_EQ(f.Def.GridLineColor, 0xFF0000u);
    EXPECT_FALSE(f.controls.Checked(ControlId::chrSMenu));
}

TEST_F(SettingsTest, TheLaterLineWins) {
    EXPECT_EQ(Start("zoom=8\nzoom=5\n").Def.Zoom, 5);
    EXPECT_EQ(Start("zoom=5\nzoom=8\n").Def.Zoom, 8);
    // The later value replaces the earlier one even when it is not accepted.
    EXPECT_EQ(Start("zoom=8\nzoom=11\n").Def.Zoom, 5);
    EXPECT_EQ(Start("pen=2\nline=green\npen=4\n").PenSize, 4);
    EXPECT_EQ(form->Def.GridLineColor, 0x008000u);
}

TEST_F(SettingsTest, EveryAcceptedValueTakesEffect) {
    const char* colours[] = {"white", "red", "green", "blue", "gray"};
    const TColor values[] = {0xFFFFFF, 0x0000FF, 0x008000, 0xFF0000, 0x808080};
    for (int i = 0; i < 5; ++i) {
        EditorForm& f = Start(std::string("line=") + colours[i]);
        EXPECT_EQ(f.Def.GridLineColor, values[i]) << colours[i];
        EXPECT_TRUE(f.controls.Checked(static_cast<ControlId>(static_cast<int>(ControlId::WhiteMenu) + i)));
    }
    for (int z = 2; z <= 10; ++z) {
        EditorForm& f = Start("zoom=" + std::to_string(z));
        EXPECT_EQ(f.Def.Zoom, z);
        EXPECT_EQ(f.EditI.Width(), 16 * z + 1);
        EXPECT_TRUE(f.controls.Checked(static_cast<ControlId>(static_cast<int>(ControlId::mZoom2) + z - 2)));
    }
    for (int p = 1; p <= 4; ++p) EXPECT_EQ(Start("pen=" + std::to_string(p)).PenSize, p);
}

TEST_F(SettingsTest, ValuesAndKeysNotExactlyRightChangeNothing) {
    for (const char* text : {"ZOOM=7",   " zoom=7",   "zoom=7 ",    "zoom=07",   "zoom= 7",
                             "zoom=1",   "zoom=11",   "zoom=",      "pen=5",     "pen=0",
                             "line=Red", "line=red ", "line=grey",  "line=none", "box=ON",
                             "box=no",   "Box=off",   "resize=yes", "xzoom=7",   "#zoom=7",
                             "\tpen=3",  "size=8",    "chrs=10",    "palette=1", "size=8\nchrs=4\npalette=off"}) {
        Start(text);
        ExpectDefaults(text);
        for (int n = 0; n < sheet::Default.ChipCount(); n += 97)
            EXPECT_EQ(form->Chip(n / sheet::Default.rows, n % sheet::Default.rows).Width(), 16);
    }
}

TEST_F(SettingsTest, ErasedLinesKeepTheColourForLater) {
    EditorForm& f = Start("line=no\n");
    EXPECT_TRUE(f.controls.Checked(ControlId::UnMenu));
    EXPECT_FALSE(f.controls.Checked(ControlId::WhiteMenu));
    EXPECT_EQ(f.Def.GridLineColor, 0xFFFFFFu);
    EXPECT_EQ(f.EditI.Width(), 80);
    EXPECT_EQ(f.EditI.Height(), 80);
    EXPECT_EQ(f.EditI.GetPixel(0, 0), 0u);
    EXPECT_EQ(f.EditI.GetPixel(40, 40), 0u);

    f.LineColor(ControlId::GreenMenu);
    EXPECT_FALSE(f.controls.Checked(ControlId::UnMenu));
    EXPECT_EQ(f.EditI.Width(), 81);
    // The column and row the resize added are covered by the new lines.
    EXPECT_EQ(f.EditI.GetPixel(80, 80), 0x008000u);
    EXPECT_EQ(f.EditI.GetPixel(80, 3), 0x008000u);
    EXPECT_EQ(f.EditI.GetPixel(3, 80), 0x008000u);
    EXPECT_EQ(f.EditI.GetPixel(41, 3), 0x008000u);
    EXPECT_EQ(f.EditI.GetPixel(3, 3), 0u);
}

TEST_F(SettingsTest, FrameAndResizeOptionsFlipToTheWantedState) {
    EditorForm& f = Start("box=on\nresize=on\n");
    EXPECT_TRUE(f.Def.SheetGridShown);
    EXPECT_TRUE(f.controls.Checked(ControlId::wakuMenu));
    EXPECT_TRUE(f.controls.Checked(ControlId::chrSMenu));
    EXPECT_EQ(f.ScreenI.Width(), 481);
    EXPECT_EQ(f.ScreenI.GetPixel(480, 7), 0xFFFFFFu);

    EditorForm& g = Start("resize=off\n");
    EXPECT_FALSE(g.controls.Checked(ControlId::chrSMenu));
    EXPECT_TRUE(g.Def.SheetGridShown);
    EXPECT_EQ(g.ScreenI.Width(), 481);
}

TEST_F(SettingsTest, AFileThatCannotBeReadIsReportedAndIgnored) {
    std::filesystem::create_directory("tsr.def");
    Start(static_cast<const char*>(nullptr));
    ASSERT_EQ(platform->shown.size(), 1u);
    EXPECT_FALSE(platform->shown[0].question);
    EXPECT_EQ(platform->shown[0].text, "ﾌｧｲﾙ tsr.def は開けません");
    platform->shown.clear();
    ExpectDefaults("directory");
    std::filesystem::remove("tsr.def");

    // The message names the file as it was given.
    form->ReadSettings("missing.def");
    ASSERT_EQ(platform->shown.size(), 1u);
    EXPECT_EQ(platform->shown[0].text, "ﾌｧｲﾙ missing.def は開けません");
}

TEST_F(SettingsTest, AnOversizedFileIsRefusedWhole) {
    std::string text = "zoom=7\nline=red\n";
    text.append(std::size_t{1} << 20, 'x');
    EditorForm& f = Start(text);
    ASSERT_EQ(platform->shown.size(), 1u);
    EXPECT_EQ(platform->shown[0].text, "ﾌｧｲﾙ tsr.def は開けません");
    platform->shown.clear();
    ExpectDefaults("oversized");
    EXPECT_EQ(f.Def.Zoom, 5);

    // Just under the limit it is still a settings file.
    std::string fits = "zoom=7\n";
    fits.append((std::size_t{1} << 20) - fits.size(), 'x');
    EXPECT_EQ(Start(fits).Def.Zoom, 7);
    EXPECT_TRUE(platform->shown.empty());
}

TEST_F(SettingsTest, BinaryLinesAreIgnoredAndTextLinesStillApply) {
    std::string text("\x00\xff\xfe zoom=3\x00\n", 12);
    text += std::string("zoom=9\n\x00pen=2\n", 14);
    for (int i = 0; i < 4096; ++i) text += static_cast<char>((i * 37) & 0xFF);
    text += "\npen=4";
    EditorForm& f = Start(text);
    EXPECT_EQ(f.Def.Zoom, 9);
    EXPECT_EQ(f.PenSize, 4);
    EXPECT_TRUE(platform->shown.empty());
}

TEST_F(SettingsTest, PenPopUpSetsBothPenSizeGroups) {
    EditorForm& f = Start(nullptr);
    platform->popupAnswers = {ControlId::mPen3};
    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Right}, 7, 9);
    ASSERT_EQ(platform->popups.size(), 1u);
    EXPECT_EQ(platform->popups[0].menu, ControlId::mPen);
    EXPECT_EQ(platform->popups[0].origin, ControlId::PenB);
    EXPECT_EQ(platform->popups[0].x, 7);
    EXPECT_EQ(platform->popups[0].y, 9);
    EXPECT_EQ(f.PenSize, 3);
    EXPECT_TRUE(f.controls.Checked(ControlId::mPSize3));
    EXPECT_TRUE(f.controls.Checked(ControlId::mPen3));
    EXPECT_FALSE(f.controls.Checked(ControlId::mPSize1));
    EXPECT_FALSE(f.controls.Checked(ControlId::mPen1));

    // Closed without a choice: nothing changes.
    platform->popupAnswers = {std::nullopt};
    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Right}, 1, 1);
    EXPECT_EQ(platform->popups.size(), 2u);
    EXPECT_EQ(f.PenSize, 3);

    f.mPSize1Click(ControlId::mPSize2);
    EXPECT_TRUE(f.controls.Checked(ControlId::mPen2));
    EXPECT_FALSE(f.controls.Checked(ControlId::mPen3));
}

TEST_F(SettingsTest, PenPopUpOnlyForTheRightButtonAlone) {
    EditorForm& f = Start(nullptr);
    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Ctrl, ShiftKey::Right}, 3, 3);
    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Shift, ShiftKey::Right}, 3, 3);
    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Right, ShiftKey::Double}, 3, 3);
    f.PenBMouseDown(MouseButton::Left, ShiftState{ShiftKey::Left}, 3, 3);
    f.PenBMouseDown(MouseButton::Middle, ShiftState{ShiftKey::Middle}, 3, 3);
    EXPECT_TRUE(platform->popups.empty());
    EXPECT_EQ(f.PenSize, 1);
}

TEST_F(SettingsTest, UpDownStopsAtItsEndsAndLaysOutOnRelease) {
    EditorForm& f = Start("zoom=10\n");
    EXPECT_EQ(f.controls.Position(), 10);
    f.controls.SetPosition(f.controls.Position() + 1);
    f.udRateMouseUp();
    EXPECT_EQ(f.controls.Position(), 10);
    EXPECT_EQ(f.Def.Zoom, 10);
    EXPECT_EQ(f.controls.Caption(ControlId::pRate), "×10 ");
    EXPECT_EQ(f.EditI.Width(), 161);

    f.controls.SetPosition(2);
    f.controls.SetPosition(f.controls.Position() - 1);
    EXPECT_EQ(f.Def.Zoom, 10);  // not while the button is held
    f.udRateMouseUp();
    EXPECT_EQ(f.Def.Zoom, 2);
    EXPECT_TRUE(f.controls.Checked(ControlId::mZoom2));
    EXPECT_FALSE(f.controls.Checked(ControlId::mZoom10));
    EXPECT_EQ(f.controls.Caption(ControlId::pRate), "×2 ");
    EXPECT_EQ(f.EditI.Width(), 33);
}

TEST_F(SettingsTest, ZoomItemMovesTheUpDownAndThePanel) {
    EditorForm& f = Start(nullptr);
    f.mZoomClick(ControlId::mZoom9);
    EXPECT_EQ(f.Def.Zoom, 9);
    EXPECT_EQ(f.controls.Position(), 9);
    EXPECT_EQ(f.controls.Caption(ControlId::pRate), "×9 ");
    EXPECT_EQ(f.EditI.Width(), 145);
    EXPECT_TRUE(f.controls.Checked(ControlId::mZoom9));
    EXPECT_FALSE(f.controls.Checked(ControlId::mZoom5));
}

TEST_F(SettingsTest, ResizeOptionChangesNothingElse) {
    EditorForm& f = Start(nullptr);
    const canvas::Picture sheet = f.ScreenI;
    const canvas::Picture edit = f.EditI;
    f.chrSMenuClick();
    EXPECT_FALSE(f.controls.Checked(ControlId::chrSMenu));
    f.chrSMenuClick();
    EXPECT_TRUE(f.controls.Checked(ControlId::chrSMenu));
    EXPECT_EQ(f.ScreenI, sheet);
    EXPECT_EQ(f.EditI, edit);
}

TEST_F(SettingsTest, HandlersRefuseSendersThatAreNotTheirs) {
    EditorForm& f = Start(nullptr);
    EXPECT_THROW(f.LineColor(ControlId::N3), std::invalid_argument);
    EXPECT_THROW(f.LineColor(ControlId::mZoom2), std::invalid_argument);
    EXPECT_THROW(f.mZoomClick(ControlId::Z1), std::invalid_argument);
    EXPECT_THROW(f.mPSize1Click(ControlId::mPen1), std::invalid_argument);
    EXPECT_THROW(f.mPenClick(ControlId::mPSize1), std::invalid_argument);
    ExpectDefaults("after refused senders");
}

// key= sets the transparent colour T: three components of 0 to 255, or
// none; anything else leaves T none, as at start, and the view as it was.
TEST_F(SettingsTest, KeySetsTheTransparentColourOrNone) {
    EXPECT_EQ(Start(nullptr).project.Sheet.TransparentColor, std::nullopt);
    EXPECT_EQ(Start("key=255,0,255\n").project.Sheet.TransparentColor, canvas::Rgb(255, 0, 255));
    EXPECT_EQ(Start("zoom=3\r\nkey=0,7,200").project.Sheet.TransparentColor, canvas::Rgb(0, 7, 200));
    EXPECT_EQ(Start("key=1,2,3\nkey=none\n").project.Sheet.TransparentColor, std::nullopt);
    for (const char* bad : {"key=256,0,0", "key=1,2", "key=1,2,3,", "key= 1,2,3", "key=1,2,3 ", "key=-1,0,0",
                            "key=0001,0,0", "key=", "key=NONE"}) {
        Start(std::string(bad) + "\n");
        EXPECT_EQ(form->project.Sheet.TransparentColor, std::nullopt) << bad;
        ExpectDefaults(bad);
    }
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard, the sheet's pop-up menu and dropped files: what each
// operation changes, that the sheet view is left drawn afresh, pastes that
// find no bitmap after all, and the files the pop-up saves write.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "core/ControlTable.h"
#include "core/EditorError.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "io/PictureFile.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FreshViews.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/WatchingPlatform.h"

namespace fs = std::filesystem;

namespace {

using canvas::Colour;
using canvas::Picture;
using canvas::Rgb;
using Bytes = std::vector<std::uint8_t>;
using ChipSet = std::set<std::pair<int, int>>;

constexpr Colour Blue = 0xFF0000;
constexpr const char* ReadFailed = "ファイルの読み込みに失敗しました";
const ShiftState RightOnly{ShiftKey::Right};

// No pixel is black, so every chip it reaches changes. Blue stays low, so no
// pixel is the blue of the pop-up mark either.
Picture Pattern(int w, int h, int seed) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, Rgb(x % 256, y % 256, 1 + seed));
    return p;
}

// Empty when equal; otherwise where the two first differ, for the failure text.
std::string Difference(const Picture& a, const Picture& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return "sizes " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " and " +
               std::to_string(b.Width()) + "x" + std::to_string(b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": " + ColourText(a.GetPixel(x, y)) +
                       " and " + ColourText(b.GetPixel(x, y));
    return "";
}

// Offers a bitmap but has none left to give when asked for it: the clipboard
// changed between the menu's opening and the click.
class VanishingClipboard : public WatchingPlatform {
public:
    bool ClipboardHasBitmap() override { return true; }
    std::optional<Picture> ClipboardTake() override { return std::nullopt; }
};

template <typename P>
class ExchangeBase : public ::testing::Test {
protected:
    void SetUp() override {
        platform.form = form.get();
        form->FormCreate();
    }

    std::string WritePicture(const std::string& name, const Picture& p) {
        const std::string path = (dir / name).string();
        WriteFileAtomically(path, bmp::Encode24(p));
        return path;
    }
    // A right press on chip (col, row) with the menu's answer queued.
    void PopupOn(int col, int row, std::optional<ControlId> item) {
        platform.popupAnswers.push_back(item);
        form->ScreenIMouseDown(MouseButton::Right, RightOnly, col * 16 + 5, row * 16 + 7);
    }
    std::vector<Picture> AllChips() const {
        return {form->project.Sheet.Chips().begin(), form->project.Sheet.Chips().end()};
    }
    std::string Caption() const { return form->controls.Caption(ControlId::Form1); }
    Picture FreshSheetView() { return ::FreshSheetView(*form); }
    static bool HasBlue(const Picture& p) {
        for (int y = 0; y < p.Height(); ++y)
            for (Colour c : p.Row(y))
                if (c == Blue) return true;
        return false;
    }

    ScratchDirectory scratch;
    const fs::path& dir = scratch.Path();
    P platform;
    std::unique_ptr<EditorForm> form = std::make_unique<EditorForm>(platform);
};

using Exchange = ExchangeBase<WatchingPlatform>;
using ExchangeVanishing = ExchangeBase<VanishingClipboard>;

// ---- The effect of every operation on chips and flags ----

enum class Flag { Set, Cleared, Unchanged };
enum class Reach { None, EditedChip, PopupChip, AllChips };

struct Effect {
    const char* name;
    std::function<void()> run;
    Reach chips;
    Flag modified;
    Flag undo;
    bool takesFileName;      // FileName and caption become the dropped path
    bool dropsPendingPoint;  // ToolMode 5 becomes 4
};

}  // namespace

TEST_F(Exchange, EveryOperationChangesWhatItShould) {
    const std::string sheetFile = WritePicture("sheet.bmp", Pattern(480, 256, 3));
    const std::string chipFile = WritePicture("chip.bmp", Pattern(16, 16, 5));
    const std::string saveFile = (dir / "saved.bmp").string();
    using enum ControlId;
    auto click = [this](ControlId id) { return [this, id] { form->Click(id); }; };
    // On the chip set up as PopupCol, PopupRow; `file` answers the dialog.
    auto popup = [this](ControlId id, std::optional<std::string> file = std::nullopt) {
        return [this, id, file] {
            if (file) platform.fileAnswers.push_back(*file);
            PopupOn(form->PopupCol, form->PopupRow, id);
        };
    };
    const std::vector<Effect> effects = {
        {"chrCopyMenu", click(chrCopyMenu), Reach::None, Flag::Unchanged, Flag::Unchanged, false, false},
        {"AllCopyMenu", click(AllCopyMenu), Reach::None, Flag::Unchanged, Flag::Unchanged, false, false},
        {"popCopyMenu", popup(popCopyMenu), Reach::None, Flag::Unchanged, Flag::Unchanged, false, false},
        {"PasteChrMenu", click(PasteChrMenu), Reach::EditedChip, Flag::Set, Flag::Cleared, false, false},
        {"ReplaceMenu", click(ReplaceMenu), Reach::AllChips, Flag::Unchanged, Flag::Cleared, false, true},
        {"popPasteMenu", popup(popPasteMenu), Reach::PopupChip, Flag::Set, Flag::Unchanged, false, false},
        {"popLoadMenu", popup(popLoadMenu, chipFile), Reach::PopupChip, Flag::Set, Flag::Unchanged, false, false},
        {"popSaveMenu", popup(popSaveMenu, saveFile), Reach::None, Flag::Unchanged, Flag::Unchanged, false, false},
        {"pop256SaveMenu", popup(pop256SaveMenu, saveFile), Reach::None, Flag::Unchanged, Flag::Unchanged, false,
         false},
        {"drop", [&] { form->WMDropFiles({sheetFile}); }, Reach::AllChips, Flag::Unchanged, Flag::Cleared, true, true},
    };

    auto check = [&](const Effect& e, int popupCol, int popupRow, bool modifiedBefore) {
        SCOPED_TRACE(std::string(e.name) + " on " + std::to_string(popupCol) + "," + std::to_string(popupRow) +
                     (modifiedBefore ? ", modified before" : ", unmodified before"));
        form->FormCreate();
        platform.clipboard = Pattern(480, 256, 7);
        form->project.FileName = "old.bmp";
        form->ShowFileNameInCaption();
        form->Def.ToolMode = 5;
        form->TakeUndoCopy();
        form->Modified = modifiedBefore;
        form->PopupCol = popupCol;
        form->PopupRow = popupRow;
        const std::vector<Picture> before = AllChips();

        e.run();

        ChipSet changed;
        for (int c = 0; c < 30; ++c)
            for (int r = 0; r < 16; ++r)
                if (!(form->Chip(c, r) == before[sheet::SlotOf(c, r)])) changed.insert({c, r});
        switch (e.chips) {
            case Reach::None: EXPECT_TRUE(changed.empty()); break;
            case Reach::EditedChip: EXPECT_EQ(changed, (ChipSet{{0, 0}})); break;
            case Reach::PopupChip: EXPECT_EQ(changed, (ChipSet{{popupCol, popupRow}})); break;
            case Reach::AllChips: EXPECT_EQ(changed.size(), 480u); break;
        }
        EXPECT_EQ(form->Modified, e.modified == Flag::Set || modifiedBefore);
        EXPECT_EQ(form->UndoAvailable(), e.undo != Flag::Cleared);
        const std::string fileName = e.takesFileName ? sheetFile : "old.bmp";
        EXPECT_EQ(form->project.FileName, fileName);
        EXPECT_EQ(Caption(), "Tessaro " + fileName);
        EXPECT_EQ(form->Def.ToolMode, e.dropsPendingPoint ? 4 : 5);
        EXPECT_EQ(form->CurCol, 0);
        EXPECT_EQ(form->CurRow, 0);
        EXPECT_EQ(form->PopupCol, popupCol);
        EXPECT_EQ(form->PopupRow, popupRow);
        EXPECT_TRUE(platform.shown.empty());
        EXPECT_TRUE(platform.fileAnswers.empty());
        platform.shown.clear();
        platform.fileAnswers.clear();
    };

    for (const Effect& e : effects)
        for (bool modifiedBefore : {false, true}) check(e, 3, 2, modifiedBefore);
    // On the chip being edited, the pop-up paste and load give the undo up.
    for (Effect e : effects) {
        if (e.chips != Reach::PopupChip) continue;
        e.undo = Flag::Cleared;
        for (bool modifiedBefore : {false, true}) check(e, 0, 0, modifiedBefore);
    }
    EXPECT_TRUE(fs::exists(saveFile));
}

// ---- The sheet view after the pop-up menu ----

TEST_F(Exchange, EveryPopupCommandLeavesTheSheetViewDrawnAfresh) {
    const std::string chipFile = WritePicture("chip.bmp", Pattern(16, 16, 5));
    form->ChangeChip(4, 3) = Pattern(16, 16, 9);  // off the 256-colour table: the save refuses
    form->Relayout(16, 30, 16);
    platform.clipboard = Pattern(40, 40, 2);
    using enum ControlId;
    struct Case {
        std::optional<ControlId> item;
        bool dialog;
        std::optional<std::string> file;  // the dialog's answer; nothing cancels
        int col, row;
    };
    const std::vector<Case> cases = {
        {std::nullopt, false, std::nullopt, 2, 1},
        {popCopyMenu, false, std::nullopt, 2, 1},
        {popPasteMenu, false, std::nullopt, 2, 1},
        {popPasteMenu, false, std::nullopt, 0, 0},
        {popLoadMenu, true, chipFile, 5, 5},
        {popLoadMenu, true, std::nullopt, 5, 6},
        {popLoadMenu, true, (dir / "missing.bmp").string(), 5, 7},
        {popSaveMenu, true, (dir / "c.bmp").string(), 2, 1},
        {popSaveMenu, true, std::nullopt, 2, 1},
        {pop256SaveMenu, true, (dir / "c256.bmp").string(), 29, 15},
        {pop256SaveMenu, true, std::nullopt, 29, 15},
        {pop256SaveMenu, false, std::nullopt, 4, 3},
    };
    for (bool grid : {true, false}) {
        if (form->Def.SheetGridShown != grid) form->Click(wakuMenu);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.item ? NameOf(*c.item) : "none") + " on " + std::to_string(c.col) + "," +
                         std::to_string(c.row) + (grid ? " with the grid" : " without the grid"));
            if (c.dialog) platform.fileAnswers.push_back(c.file);
            platform.sheetWhenOpen.clear();
            PopupOn(c.col, c.row, c.item);
            ASSERT_EQ(platform.sheetWhenOpen.size(), 1u);
            EXPECT_TRUE(HasBlue(platform.sheetWhenOpen[0]));
            EXPECT_FALSE(HasBlue(form->ScreenI));
            EXPECT_EQ(Difference(form->ScreenI, FreshSheetView()), "");
            EXPECT_TRUE(platform.fileAnswers.empty());
        }
    }
    // The failed load and the refused save each reported once per round.
    ASSERT_EQ(platform.shown.size(), 4u);
    EXPECT_EQ(platform.shown[0].text, ReadFailed);
    EXPECT_EQ(platform.shown[1].text, "0,0にパレット以外の色があります。");
}

TEST_F(Exchange, ACommandChosenAfterTheMenuHasClosedStillRemovesTheMark) {
    // A window may deliver the chosen item once the menu is gone; the blue
    // mark must not outlive any command, the cancelled load included.
    using enum ControlId;
    for (ControlId item : {popCopyMenu, popLoadMenu, popSaveMenu}) {
        SCOPED_TRACE(std::string(NameOf(item)));
        form->PopupCol = 7;
        form->PopupRow = 4;
        form->ScreenI.SetBrushColour(Blue);
        form->ScreenI.FrameRect({7 * 16, 4 * 16, 8 * 16 + 1, 5 * 16 + 1});
        if (item != popCopyMenu) platform.fileAnswers.push_back(std::nullopt);
        form->popMenuClick(item);
        EXPECT_FALSE(HasBlue(form->ScreenI));
    }
}

// ---- Pastes that find no bitmap ----

TEST_F(ExchangeVanishing, PastesWithoutABitmapOnlyGiveUpTheUndo) {
    form->ChangeChip(0, 0) = Pattern(16, 16, 1);
    form->Relayout(16, 30, 16);
    form->Def.ToolMode = 5;
    const std::vector<Picture> before = AllChips();
    const Picture sheetImage = form->SheetImage;
    using enum ControlId;

    form->TakeUndoCopy();
    form->Click(ReplaceMenu);
    EXPECT_TRUE(form->UndoAvailable());
    EXPECT_EQ(form->Def.ToolMode, 5);

    form->Click(PasteChrMenu);
    EXPECT_FALSE(form->UndoAvailable());

    form->TakeUndoCopy();
    PopupOn(3, 3, popPasteMenu);
    EXPECT_TRUE(form->UndoAvailable());
    PopupOn(0, 0, popPasteMenu);
    EXPECT_FALSE(form->UndoAvailable());

    EXPECT_EQ(AllChips(), before);
    EXPECT_EQ(form->SheetImage, sheetImage);
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(form->Def.ToolMode, 5);
    EXPECT_EQ(Difference(form->ScreenI, FreshSheetView()), "");
}

// ---- The files of the pop-up saves ----

TEST_F(Exchange, PopupSavesWriteThePopupChipNotTheChipBeingEdited) {
    form->ChangeChip(0, 0) = Pattern(16, 16, 4);
    form->ChangeChip(9, 2) = Pattern(16, 16, 6);
    const std::string path = (dir / "chip.bmp").string();
    platform.fileAnswers.push_back(path);
    PopupOn(9, 2, ControlId::popSaveMenu);
    EXPECT_EQ(LoadPictureFile(path), form->Chip(9, 2));

    // Red (index 5 of the table) along the top row, black (index 0) below.
    // The rows are stored bottom-up, so the chip's top row ends the file.
    Picture chip(16, 16);
    chip.SetBrushColour(Rgb(255, 0, 0));
    chip.FillRect({0, 0, 16, 1});
    form->ChangeChip(9, 2) = chip;
    const std::string path256 = (dir / "chip256.bmp").string();
    platform.fileAnswers.push_back(path256);
    PopupOn(9, 2, ControlId::pop256SaveMenu);
    const Bytes file = FileBytes(path256);
    ASSERT_EQ(file.size(), 16u * 16u + 1078u);
    EXPECT_EQ(Bytes(file.end() - 16, file.end()), Bytes(16, 5));
    EXPECT_EQ(Bytes(file.begin() + 1078, file.end() - 16), Bytes(15 * 16, 0));
    EXPECT_EQ(LoadPictureFile(path256), chip);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(Exchange, AFailedPopupSaveLeavesForTheGenericHandlerAndChangesNothing) {
    form->Modified = false;
    const std::string path = (dir / "no-such-dir" / "chip.bmp").string();
    platform.fileAnswers.push_back(path);
    const std::vector<Picture> before = AllChips();
    try {
        PopupOn(1, 1, ControlId::popSaveMenu);
        ADD_FAILURE() << "saved";
    } catch (const EditorError& e) {
        // The system's reason in the editor's words.
        EXPECT_EQ(std::string(e.what()),
                  "\"" + path + "\" に保存できませんでした（ファイルまたはフォルダが見つかりません）");
    }
    EXPECT_EQ(AllChips(), before);
    EXPECT_FALSE(form->Modified);
    EXPECT_FALSE(fs::exists(dir / "no-such-dir"));
    EXPECT_FALSE(HasBlue(form->ScreenI));
}

// ---- Dropped files ----

TEST_F(Exchange, ADropOfNoFilesDoesNothing) {
    const std::vector<Picture> before = AllChips();
    form->Def.ToolMode = 5;
    form->TakeUndoCopy();
    form->WMDropFiles({});
    EXPECT_EQ(AllChips(), before);
    EXPECT_EQ(form->Def.ToolMode, 5);
    EXPECT_TRUE(form->UndoAvailable());
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(Exchange, ADroppedPathIsUsedWholeHoweverLong) {
    // Directories of 60 characters, deep enough for a path of over 300: a
    // path cut to 254 characters would name a directory, not the file.
    fs::path deep = dir;
    for (char c : std::string("abcde")) deep /= std::string(60, c);
    fs::create_directories(deep);
    const Picture sheet = Pattern(480, 256, 8);
    const std::string path = (deep / "sheet.bmp").string();
    ASSERT_GT(path.size(), 300u);
    WriteFileAtomically(path, bmp::Encode24(sheet));

    form->WMDropFiles({path, (dir / "other.bmp").string()});
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_EQ(form->project.FileName, path);
    EXPECT_EQ(Caption(), "Tessaro " + path);
    EXPECT_EQ(form->Chip(29, 15).GetPixel(15, 15), sheet.GetPixel(479, 255));
    EXPECT_EQ(form->Chip(7, 3).GetPixel(2, 9), sheet.GetPixel(7 * 16 + 2, 3 * 16 + 9));
}

TEST_F(Exchange, AnUnreadableDropChangesNothing) {
    form->ChangeChip(2, 2) = Pattern(16, 16, 3);
    form->project.FileName = "kept.bmp";
    form->ShowFileNameInCaption();
    form->TakeUndoCopy();
    form->Def.ToolMode = 3;
    std::ofstream(dir / "notes.txt") << "not a picture";
    const std::vector<Picture> before = AllChips();
    for (const std::string name : {"notes.txt", "missing.bmp"}) {
        form->WMDropFiles({(dir / name).string()});
        EXPECT_EQ(AllChips(), before);
        EXPECT_EQ(form->project.FileName, "kept.bmp");
        EXPECT_EQ(Caption(), "Tessaro kept.bmp");
        EXPECT_TRUE(form->UndoAvailable());
        EXPECT_EQ(form->Def.ToolMode, 3);
    }
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[0].text, ReadFailed);
    EXPECT_EQ(platform.shown[1].text, ReadFailed);
}

// ---- Round trips through the clipboard ----

TEST_F(Exchange, TheWholeSheetCopiedAndPastedBackIsUnchanged) {
    for (int c = 0; c < 30; ++c)
        for (int r = 0; r < 16; ++r) form->ChangeChip(c, r) = Pattern(16, 16, c + r);
    const std::vector<Picture> sheet = AllChips();
    form->Click(ControlId::AllCopyMenu);
    ASSERT_TRUE(platform.clipboard);
    EXPECT_EQ(platform.clipboard->Width(), 480);
    EXPECT_EQ(platform.clipboard->Height(), 256);
    for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot)
        form->ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows) = Pattern(16, 16, 99);
    form->Click(ControlId::ReplaceMenu);
    EXPECT_EQ(AllChips(), sheet);
    EXPECT_EQ(Difference(form->ScreenI, FreshSheetView()), "");
}

TEST_F(Exchange, AChipCopiedAndPastedElsewhereIsTheSameChip) {
    form->ChangeChip(0, 0) = Pattern(16, 16, 12);
    form->Click(ControlId::chrCopyMenu);
    PopupOn(11, 6, ControlId::popPasteMenu);
    EXPECT_EQ(form->Chip(11, 6), form->Chip(0, 0));
    PopupOn(11, 6, ControlId::popCopyMenu);
    form->ChangeChip(0, 0) = Picture(16, 16);
    form->Click(ControlId::PasteChrMenu);
    EXPECT_EQ(form->Chip(0, 0), form->Chip(11, 6));
    EXPECT_EQ(Difference(form->ScreenI, FreshSheetView()), "");
}

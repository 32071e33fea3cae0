// SPDX-License-Identifier: GPL-3.0-or-later
// The 8-bit palette files: byte for byte against files built here from the
// format's table, the reduction to the colour cube, and the refusal.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "core/EditorError.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/PaletteBmp.h"
#include "formats/PictureReaders.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The table entry n as (red, green, blue), from the format's description.
canvas::Colour TableColour(int n) {
    if (n < 216) return canvas::Rgb(51 * (n % 6), 51 * ((n / 6) % 6), 51 * (n / 36));
    if (n < 224) return canvas::Black;
    if (n < 255) return canvas::Rgb(8 * (n - 223), 8 * (n - 223), 8 * (n - 223));
    return canvas::White;
}

// The first entry of that colour, by walking the table.
int FirstEntryOf(canvas::Colour c) {
    for (int n = 0; n < 256; ++n)
        if (TableColour(n) == c) return n;
    return -1;
}

// The level of a component by the ranges 0-25, 26-76, 77-127, ...
int LevelByRange(int v) {
    const int upper[] = {25, 76, 127, 178, 229, 255};
    int level = 0;
    while (v > upper[level]) ++level;
    return level;
}

void Le(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The whole file for the given indices (row-major, top row first).
Bytes ExpectedFile(int w, int h, const std::vector<int>& index) {
    const int stride = (w + 3) / 4 * 4;
    Bytes f = {'B', 'M'};
    Le(f, static_cast<std::uint32_t>(stride * h + 1078), 4);
    Le(f, 0, 2);
    Le(f, 0, 2);
    Le(f, 1078, 4);
    Le(f, 40, 4);
    Le(f, static_cast<std::uint32_t>(w), 4);
    Le(f, static_cast<std::uint32_t>(h), 4);
    Le(f, 1, 2);
    Le(f, 8, 2);
    for (int i = 0; i < 6; ++i) Le(f, 0, 4);
    for (int n = 0; n < 256; ++n) {
        const canvas::Colour c = TableColour(n);
        f.insert(f.end(), {static_cast<std::uint8_t>(canvas::BlueOf(c)), static_cast<std::uint8_t>(canvas::GreenOf(c)),
                           static_cast<std::uint8_t>(canvas::RedOf(c)), 0});
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) f.push_back(static_cast<std::uint8_t>(index[static_cast<std::size_t>(y * w + x)]));
        for (int x = w; x < stride; ++x) f.push_back(0);
    }
    return f;
}

class PaletteWriters : public ::testing::Test {
protected:
    // Colours the sheet: pixel (x, y) of the whole sheet gets colourAt(x, y).
    template <typename F>
    void PaintSheet(F colourAt) {
        for (int row = 0; row < 16; ++row)
            for (int col = 0; col < 30; ++col)
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x)
                        form->ChangeChip(col, row).SetPixel(x, y, colourAt(col * 16 + x, row * 16 + y));
    }

    // Runs a File menu command that saves to `name`.
    Bytes SaveWith(ControlId command, const std::string& name) {
        platform.fileAnswers.push_back((scratch_ / name).string());
        form->FileMenuClick(command);
        return FileBytes(scratch_ / name);
    }

    ScratchDirectory scratch;
    const fs::path& scratch_ = scratch.Path();
    StartedEditor started;
    FakePlatform& platform = started.platform;
    std::unique_ptr<EditorForm>& form = started.form;
};

TEST_F(PaletteWriters, BlackSheetIn256ColoursIsAllZeroIndices) {
    const Bytes file = SaveWith(ControlId::mem256S, "black.bmp");
    EXPECT_EQ(file.size(), 123958u);
    EXPECT_EQ(file, ExpectedFile(480, 256, std::vector<int>(480 * 256, 0)));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(PaletteWriters, EveryTableColourGetsItsFirstEntry) {
    const auto colourAt = [](int x, int y) { return TableColour((x * 7 + y * 3) % 256); };
    PaintSheet(colourAt);
    form->Modified = true;
    form->project.FileName = "kept.bmp";
    form->ShowFileNameInCaption();
    const std::string caption = form->controls.Caption(ControlId::Form1);

    std::vector<int> index;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) index.push_back(FirstEntryOf(colourAt(x, y)));
    EXPECT_EQ(SaveWith(ControlId::mem256S, "all.bmp"), ExpectedFile(480, 256, index));
    // Black is entry 0, white entry 215, never the repeats.
    EXPECT_EQ(FirstEntryOf(canvas::Black), 0);
    EXPECT_EQ(FirstEntryOf(canvas::White), 215);
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->project.FileName, "kept.bmp");
    EXPECT_EQ(form->controls.Caption(ControlId::Form1), caption);
}

TEST_F(PaletteWriters, FirstColourOffTheTableIsNamedAndNothingIsAsked) {
    const canvas::Colour off = canvas::Rgb(0, 0, 8);              // neither grey nor cube
    form->ChangeChip(6, 0).SetPixel(4, 7, off);                   // sheet (100, 7)
    form->ChangeChip(0, 0).SetPixel(3, 9, canvas::Rgb(1, 1, 1));  // (3, 9): lower row
    form->FileMenuClick(ControlId::mem256S);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].text, "100,7にパレット以外の色があります。");
    EXPECT_FALSE(platform.shown[0].question);

    form->ChangeChip(1, 0).SetPixel(4, 7, off);  // (20, 7): same row, further left
    form->FileMenuClick(ControlId::mem256S);
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[1].text, "20,7にパレット以外の色があります。");
    EXPECT_TRUE(fs::is_empty(scratch_));  // FakePlatform would have thrown on a dialog
}

TEST_F(PaletteWriters, ReductionRoundsEachComponentToTheNearestLevel) {
    const auto colourAt = [](int x, int y) { return canvas::Rgb(x % 256, (x + y) % 256, (y * 5 + x / 2) % 256); };
    PaintSheet(colourAt);
    std::vector<int> index;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
            const canvas::Colour c = colourAt(x, y);
            index.push_back(36 * LevelByRange(canvas::BlueOf(c)) + 6 * LevelByRange(canvas::GreenOf(c)) +
                            LevelByRange(canvas::RedOf(c)));
        }
    EXPECT_EQ(SaveWith(ControlId::N216R1, "cube.bmp"), ExpectedFile(480, 256, index));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(PaletteWriters, NamedReductions) {
    const std::vector<std::pair<canvas::Colour, int>> cases = {
        {canvas::Rgb(25, 26, 230), 186}, {canvas::Rgb(128, 128, 128), 129}, {canvas::Rgb(255, 0, 0), 5},
        {canvas::Rgb(0, 0, 255), 180},   {canvas::Rgb(255, 255, 255), 215}, {canvas::Black, 0}};
    canvas::Picture p(static_cast<int>(cases.size()), 1);
    for (std::size_t i = 0; i < cases.size(); ++i) p.SetPixel(static_cast<int>(i), 0, cases[i].first);
    const Bytes reduced = palette_bmp::Build216ColourBmp(p, form->Palette256);
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(reduced[1078 + i], cases[i].second) << i;

    // The exact writer refuses the first of them, and agrees on pure red
    // and blue, which are table colours.
    std::optional<canvas::Point> off;
    EXPECT_TRUE(palette_bmp::Build256ColourBmp(p, form->Palette256, off).empty());
    EXPECT_EQ(off, (canvas::Point{0, 0}));
    canvas::Picture pure(2, 1);
    pure.SetPixel(0, 0, canvas::Rgb(255, 0, 0));
    pure.SetPixel(1, 0, canvas::Rgb(0, 0, 255));
    const Bytes exact = palette_bmp::Build256ColourBmp(pure, form->Palette256, off);
    ASSERT_FALSE(off);
    ASSERT_EQ(exact.size(), 1078u + 4);
    EXPECT_EQ(exact[1078], 5);
    EXPECT_EQ(exact[1079], 180);
}

TEST_F(PaletteWriters, ChipFileEndsWithItsTopRowAndCoordinatesAreTheChips) {
    canvas::Picture& sheet = form->SheetImage;
    sheet.SetSize(16, 16);
    sheet.SetBrushColour(canvas::Black);
    sheet.FillRect({0, 0, 16, 16});
    for (int x = 0; x < 16; ++x) sheet.SetPixel(x, 0, TableColour(x + 30));
    platform.fileAnswers.push_back((scratch_ / "chip.bmp").string());
    form->Save256ColourBmp();
    const Bytes file = FileBytes(scratch_ / "chip.bmp");
    ASSERT_EQ(file.size(), 16u * 16 + 1078);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(file[file.size() - 16 + x], x + 30);

    sheet.SetPixel(15, 12, canvas::Rgb(3, 3, 3));
    form->Save256ColourBmp();
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].text, "15,12にパレット以外の色があります。");
}

// Widths that are not a multiple of 4 get padded rows, and the files read
// back to the same colours.
TEST_F(PaletteWriters, OddWidthsArePaddedAndReadBack) {
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(w);
        canvas::Picture p(w, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) p.SetPixel(x, y, TableColour((x * 31 + y * 17) % 256));
        std::optional<canvas::Point> off;
        const Bytes file = palette_bmp::Build256ColourBmp(p, form->Palette256, off);
        ASSERT_FALSE(off);
        std::vector<int> index;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) index.push_back(FirstEntryOf(p.GetPixel(x, y)));
        EXPECT_EQ(file, ExpectedFile(w, 3, index));
        EXPECT_EQ(bmp::Decode(file), p);
        EXPECT_EQ(bmp::Decode(palette_bmp::Build216ColourBmp(p, form->Palette256)).GetPixel(w - 1, 2),
                  TableColour(36 * LevelByRange(canvas::BlueOf(p.GetPixel(w - 1, 2))) +
                              6 * LevelByRange(canvas::GreenOf(p.GetPixel(w - 1, 2))) +
                              LevelByRange(canvas::RedOf(p.GetPixel(w - 1, 2)))));
    }
}

TEST_F(PaletteWriters, CancelWritesNothingAndFailuresReachTheGenericHandler) {
    platform.fileAnswers.push_back(std::nullopt);
    form->FileMenuClick(ControlId::N216R1);
    EXPECT_TRUE(fs::is_empty(scratch_));
    platform.fileAnswers.push_back((scratch_ / "missing" / "x.bmp").string());
    EXPECT_THROW(form->FileMenuClick(ControlId::mem256S), EditorError);
    EXPECT_TRUE(platform.shown.empty());
}

}  // namespace

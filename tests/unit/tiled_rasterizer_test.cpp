// SPDX-License-Identifier: GPL-3.0-or-later
// The board as Tiled sees it: Tiled's own renderer (tmxrasterizer) draws a
// saved board exactly as the board view does at zoom 1, with empty cells
// transparent; and the saved files load back to the same board and sheet.
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

#include "core/Form.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"
#include "tests/unit/bmp_png_reference.h"

namespace {

bool HaveRasterizer() { return std::system("command -v tmxrasterizer >/dev/null 2>&1") == 0; }

struct SavedBoard {
    ScratchDirectory scratch;
    StartedEditor started;
    FakePlatform& platform = started.platform;
    TForm1& f = *started;
    std::mt19937 random{13};

    explicit SavedBoard(int chipSize = 16) {
        f.Relayout(chipSize, 30, 16);
        // Every chip different, every pixel its own.
        for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot) {
            canvas::Picture& chip = f.ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows);
            for (int y = 0; y < chipSize; ++y)
                for (int x = 0; x < chipSize; ++x) chip.SetPixel(x, y, random() & 0xFFFFFF);
        }
        f.Board.Resize(23, 11);
        for (int r = 0; r < 11; ++r)
            for (int c = 0; c < 23; ++c)
                if (random() % 5 != 0)
                    f.Board.Place({c, r}, ChipRef{static_cast<int>(random() % 30), static_cast<int>(random() % 16)});
        f.Board.Place({0, 0}, ChipRef{29, 15});
        f.Board.Place({1, 0}, ChipRef{0, 0});
        f.Board.Place({2, 0}, std::nullopt);
        // Chip (0, 0) moves through (0, 0), (1, 0) and (2, 0).
        f.Sheet.Animations.Set({0, 0}, ChipAnimation{3, 100});
        // A terrain painted with the brush over part of the board.
        f.Sheet.PutTerrain(Terrain{"water", {3, 5}, {10, 4}});
        for (int r = 2; r < 10; ++r)
            for (int c = 4; c < 20; ++c)
                if (random() % 3 != 0) f.PaintTerrain({c, r}, 0, true);
        platform.fileAnswers.push_back("field");
        f.Click(ControlId::BoardSaveMenu);
    }
};

// Also at a time into the animations, as Tiled plays them from the tileset.
// Chips of 16 pixels and of 48.
class TiledRasterizer : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    int Time() const { return std::get<0>(GetParam()); }
};

TEST_P(TiledRasterizer, DrawsTheSavedBoardAsTheBoardViewAtZoomOne) {
    if (!HaveRasterizer()) GTEST_SKIP() << "tmxrasterizer (Debian package tiled) is not installed";
    SavedBoard saved(std::get<1>(GetParam()));
    ASSERT_TRUE(saved.platform.shown.empty());
    const std::string advance = Time() > 0 ? " --advance-animations " + std::to_string(Time()) : "";
    ASSERT_EQ(
        std::system(
            ("QT_QPA_PLATFORM=offscreen tmxrasterizer" + advance + " field.tmx tiled.png >/dev/null 2>&1").c_str()),
        0);
    const auto tiled = ReadPng("tiled.png");
    ASSERT_TRUE(tiled);

    TForm1& f = saved.f;
    f.Click(ControlId::BoardZoom1);
    ChipAnimations::ShownSlots shown{};
    f.Sheet.Animations.ShowAt(Time(), shown);
    canvas::Picture own;
    f.Board.Draw(own, {0, 0, f.Board.ViewWidth(), f.Board.ViewHeight()}, f.Sheet.Chips(), shown);
    ASSERT_EQ(tiled->width, own.Width());
    ASSERT_EQ(tiled->height, own.Height());
    long differences = 0, emptyPixels = 0;
    for (int y = 0; y < own.Height(); ++y) {
        for (int x = 0; x < own.Width(); ++x) {
            if (!f.Board.At({x / f.Board.CellPixels(), y / f.Board.CellPixels()})) {
                ++emptyPixels;
                differences += tiled->rgba[(static_cast<std::size_t>(y) * tiled->width + x) * 4 + 3] != 0;
            } else {
                differences += !tiled->Opaque(x, y) || tiled->ColourAt(x, y) != own.GetPixel(x, y);
            }
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(emptyPixels, 0);
}

INSTANTIATE_TEST_SUITE_P(AnimationTime, TiledRasterizer,
                         ::testing::Combine(::testing::Values(0, 150), ::testing::Values(16, 48)));

// Tiled takes the terrain set (all but the chip without neighbours, whose
// wang id is all 0 and which Tiled does not keep).
TEST(TiledBoardFiles, TiledReadsTheTerrainSet) {
    if (std::system("command -v tiled >/dev/null 2>&1") != 0) GTEST_SKIP() << "tiled is not installed";
    SavedBoard saved;
    ASSERT_EQ(std::system("QT_QPA_PLATFORM=offscreen tiled --export-tileset json field.tsx field.json >/dev/null 2>&1"),
              0);
    std::ifstream in("field.json");
    const std::string json((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(json.find("\"wangsets\""), std::string::npos);
    EXPECT_NE(json.find("\"type\":\"mixed\""), std::string::npos);
    EXPECT_NE(json.find("\"name\":\"water\""), std::string::npos);
    std::size_t wangids = 0;
    for (std::size_t at = json.find("\"wangid\""); at != std::string::npos; at = json.find("\"wangid\"", at + 1))
        ++wangids;
    EXPECT_EQ(wangids, 46u);
}

TEST(TiledBoardFiles, SavedBoardLoadsBackWithItsSheet) {
    SavedBoard saved;
    TForm1& f = saved.f;
    const TryOutBoard before = f.Board;
    const std::vector<canvas::Picture> chipsBefore(f.Sheet.Chips().begin(), f.Sheet.Chips().end());
    f.Board.Resize(2, 2);
    f.Board.Clear();
    for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot)
        f.ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows).FillRect({0, 0, 16, 16});
    saved.platform.fileAnswers.push_back("field.tmx");
    f.Click(ControlId::BoardLoadMenu);
    ASSERT_TRUE(saved.platform.shown.empty());
    ASSERT_EQ(f.Board.Cols(), before.Cols());
    ASSERT_EQ(f.Board.Rows(), before.Rows());
    for (int r = 0; r < before.Rows(); ++r)
        for (int c = 0; c < before.Cols(); ++c) EXPECT_EQ(f.Board.At({c, r}), before.At({c, r})) << c << "," << r;
    EXPECT_TRUE(std::ranges::equal(f.Sheet.Chips(), chipsBefore));
    EXPECT_EQ(f.Def.FileName, "field.png");
    const std::vector<Terrain> terrains{Terrain{"water", {3, 5}, {10, 4}}};
    EXPECT_EQ(f.Sheet.Terrains(), terrains);
}

}  // namespace

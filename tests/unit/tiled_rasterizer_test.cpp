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
#include <span>
#include <tuple>

#include "core/Form.h"
#include "edit/EditorForm.h"
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
    EditorForm& f = *started;
    std::mt19937 random{13};

    explicit SavedBoard(int chipSize = 16) {
        f.Relayout(chipSize, 30, 16);
        // Every chip different, every pixel its own.
        for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot) {
            canvas::Picture& chip = f.ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows);
            for (int y = 0; y < chipSize; ++y)
                for (int x = 0; x < chipSize; ++x) chip.SetPixel(x, y, random() & 0xFFFFFF);
        }
        f.project.Board.Resize(23, 11);
        for (int r = 0; r < 11; ++r)
            for (int c = 0; c < 23; ++c)
                if (random() % 5 != 0)
                    f.project.Board.Place({c, r},
                                          ChipRef{static_cast<int>(random() % 30), static_cast<int>(random() % 16)});
        f.project.Board.Place({0, 0}, ChipRef{29, 15});
        f.project.Board.Place({1, 0}, ChipRef{0, 0});
        f.project.Board.Place({2, 0}, std::nullopt);
        // Chip (0, 0) moves through (0, 0), (1, 0) and (2, 0).
        f.project.Sheet.Animations.Set({0, 0}, ChipAnimation{3, 100});
        // A terrain painted with the brush over part of the board.
        f.project.Sheet.PutTerrain(Terrain{"water", {3, 5}, {10, 4}});
        for (int r = 2; r < 10; ++r)
            for (int c = 4; c < 20; ++c)
                if (random() % 3 != 0) f.PaintTerrain({c, r}, 0, true);
        platform.fileAnswers.push_back("field");
        f.Click(ControlId::BoardSaveMenu);
    }
};

// How many pixels of Tiled's picture `png` differ from the board view at
// zoom 1 (an empty cell must be transparent there), and how many are of
// empty cells.
std::pair<long, long> DifferencesFromBoardView(EditorForm& f, const std::string& png,
                                               std::span<const std::uint16_t> shown) {
    const auto tiled = ReadPng(png);
    if (!tiled) return {-1, 0};
    f.Click(ControlId::BoardZoom1);
    canvas::Picture own;
    f.project.Board.Draw(own, {0, 0, f.project.Board.ViewWidth(), f.project.Board.ViewHeight()},
                         f.project.Sheet.Chips(), shown);
    if (tiled->width != own.Width() || tiled->height != own.Height()) return {-1, 0};
    long differences = 0, emptyPixels = 0;
    for (int y = 0; y < own.Height(); ++y) {
        for (int x = 0; x < own.Width(); ++x) {
            if (!f.project.Board.At({x / f.project.Board.CellPixels(), y / f.project.Board.CellPixels()})) {
                ++emptyPixels;
                differences += tiled->rgba[(static_cast<std::size_t>(y) * tiled->width + x) * 4 + 3] != 0;
            } else {
                differences += !tiled->Opaque(x, y) || tiled->ColourAt(x, y) != own.GetPixel(x, y);
            }
        }
    }
    return {differences, emptyPixels};
}

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
    ChipAnimations::ShownSlots shown{};
    saved.f.project.Sheet.Animations.ShowAt(Time(), shown);
    const auto [differences, emptyPixels] = DifferencesFromBoardView(saved.f, "tiled.png", shown);
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

// A map of flipped and turned tiles as Tiled writes them (every flag
// combination, some with the hexagonal turn bit that an orthogonal map
// ignores), loaded, shown and saved again: Tiled draws both maps as the
// board view shows the loaded one.
TEST(TiledBoardFiles, FlippedTilesDrawAsTiledDrawsThem) {
    if (!HaveRasterizer()) GTEST_SKIP() << "tmxrasterizer (Debian package tiled) is not installed";
    SavedBoard saved;
    std::string csv;
    for (int i = 0; i < 8 * 4; ++i) {
        const std::uint32_t gid = i == 5 ? 0 : (static_cast<std::uint32_t>(saved.random() % 480) + 1);
        const std::uint32_t flags = static_cast<std::uint32_t>(i % 8) << 29 | (i % 3 == 0 ? 0x10000000u : 0);
        csv += (i ? "," : "") + std::to_string(gid | (gid ? flags : 0));
    }
    std::ofstream("flipped.tmx")
        << R"(<?xml version="1.0" encoding="UTF-8"?><map version="1.10" orientation="orthogonal" renderorder="right-down" width="8" height="4" tilewidth="16" tileheight="16" infinite="0"><tileset firstgid="1" source="field.tsx"/><layer id="1" name="a" width="8" height="4"><data encoding="csv">)"
        << csv << "</data></layer></map>\n";
    EditorForm& f = saved.f;
    f.Modified = false;
    saved.platform.fileAnswers = {"flipped.tmx", "again"};
    f.Click(ControlId::BoardLoadMenu);
    f.Click(ControlId::BoardSaveMenu);
    ASSERT_TRUE(saved.platform.shown.empty());
    for (const char* map : {"flipped", "again"}) {
        SCOPED_TRACE(map);
        ASSERT_EQ(std::system(("QT_QPA_PLATFORM=offscreen tmxrasterizer " + std::string(map) + ".tmx " + map +
                               ".png >/dev/null 2>&1")
                                  .c_str()),
                  0);
        const auto [differences, emptyPixels] = DifferencesFromBoardView(f, std::string(map) + ".png", {});
        EXPECT_EQ(differences, 0);
        EXPECT_EQ(emptyPixels, 16 * 16);
    }
}

TEST(TiledBoardFiles, SavedBoardLoadsBackWithItsSheet) {
    SavedBoard saved;
    EditorForm& f = saved.f;
    const TryOutBoard before = f.project.Board;
    const std::vector<canvas::Picture> chipsBefore(f.project.Sheet.Chips().begin(), f.project.Sheet.Chips().end());
    f.project.Board.Resize(2, 2);
    f.project.Board.Clear();
    for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot)
        f.ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows).FillRect({0, 0, 16, 16});
    saved.platform.fileAnswers.push_back("field.tmx");
    f.Click(ControlId::BoardLoadMenu);
    ASSERT_TRUE(saved.platform.shown.empty());
    ASSERT_EQ(f.project.Board.Cols(), before.Cols());
    ASSERT_EQ(f.project.Board.Rows(), before.Rows());
    for (int r = 0; r < before.Rows(); ++r)
        for (int c = 0; c < before.Cols(); ++c)
            EXPECT_EQ(f.project.Board.At({c, r}), before.At({c, r})) << c << "," << r;
    EXPECT_TRUE(std::ranges::equal(f.project.Sheet.Chips(), chipsBefore));
    EXPECT_EQ(f.project.FileName, "field.png");
    const std::vector<Terrain> terrains{Terrain{"water", {3, 5}, {10, 4}}};
    EXPECT_EQ(f.project.Sheet.Terrains(), terrains);
}

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-cli dedupe: a sheet with planted mirrored, turned and exact copies
// and a flipped map of it (written here by hand) come out as a sheet of each
// chip once and a map that Tiled's renderer draws as it drew the old one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "canvas/Orientation.h"
#include "io/PictureSave.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/unit/bmp_png_reference.h"
#include "tools/tessaro-cli/Run.h"

namespace {

using canvas::Orientation;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(CliDedupeTest, TheRewrittenMapRendersAsTheOldOne) {
    if (std::system("command -v tmxrasterizer >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "tmxrasterizer (Debian package tiled) is not installed";
    ScratchDirectory scratch;
    constexpr int Side = 16, Cols = 8, Rows = 4;
    std::mt19937 random(39);
    std::vector<canvas::Picture> chips(Cols * Rows, canvas::Picture(Side, Side));
    for (int n = 0; n < 6; ++n)
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) chips[n].SetPixel(x, y, random() & 0xFFFFFF);
    chips[6] = canvas::Oriented(chips[0], Orientation::Horizontal);
    chips[7] = canvas::Oriented(chips[1], Orientation::Turned90);
    chips[8] = chips[2];
    chips[9] = canvas::Oriented(chips[3], Orientation::AntiDiagonal);
    chips[12] = canvas::Oriented(chips[6], Orientation::Turned270);  // a copy of a copy
    canvas::Picture sheet(Cols * Side, Rows * Side);
    for (int n = 0; n < Cols * Rows; ++n) sheet.Draw(n % Cols * Side, n / Cols * Side, chips[n]);
    ASSERT_FALSE(WritePictureFile("sheet.png", sheet, std::nullopt));
    WriteText("sheet.tsx", R"(<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" name="sheet" tilewidth="16" tileheight="16" tilecount="32" columns="8">
 <image source="sheet.png" width="128" height="64"/>
</tileset>
)");
    // Every chip used, the copies most, each cell in any of the eight
    // orientations.
    std::string csv;
    for (int n = 0; n < 12 * 9; ++n) {
        const std::uint32_t tile = random() % 7 == 0 ? random() % 32 : 6 + random() % 7;
        const std::uint32_t gid = (tile + 1) | (static_cast<std::uint32_t>(random() % 8) << 29);
        csv += std::to_string(n % 11 == 5 ? 0 : gid) + (n + 1 < 12 * 9 ? "," : "\n");
    }
    WriteText("level.tmx", R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" orientation="orthogonal" renderorder="right-down" width="12" height="9" tilewidth="16" tileheight="16" infinite="0" nextlayerid="2" nextobjectid="1">
 <tileset firstgid="1" source="sheet.tsx"/>
 <layer id="1" name="board" width="12" height="9"><data encoding="csv">
)" + csv + "</data></layer>\n</map>\n");

    std::ostringstream out, err;
    ASSERT_EQ(
        cli::Run({"dedupe", "sheet.png", "--chip", "16", "-o", "once.png", "--map", "level.tmx", "-m", "level2.tmx"},
                 out, err),
        0)
        << err.str();
    EXPECT_EQ(out.str(), "32 chips, 10 unique exactly, 6 unique up to orientation\n");
    ASSERT_EQ(std::system("QT_QPA_PLATFORM=offscreen tmxrasterizer level.tmx old.png >/dev/null 2>&1 && "
                          "QT_QPA_PLATFORM=offscreen tmxrasterizer level2.tmx new.png >/dev/null 2>&1"),
              0);
    const auto before = ReadPng("old.png"), after = ReadPng("new.png"), once = ReadPng("once.png");
    ASSERT_TRUE(before && after && once);
    EXPECT_EQ(after->width, before->width);
    EXPECT_TRUE(after->rgba == before->rgba);
    // The new sheet: the six first chips as they were, then black.
    for (int y = 0; y < Rows * Side; ++y)
        for (int x = 0; x < Cols * Side; ++x) {
            const int n = y / Side * Cols + x / Side;
            ASSERT_EQ(once->ColourAt(x, y), n < 6 ? sheet.GetPixel(x, y) : canvas::Black) << x << "," << y;
        }
}

}  // namespace

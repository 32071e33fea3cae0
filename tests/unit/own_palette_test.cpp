// SPDX-License-Identifier: GPL-3.0-or-later
// Palette files and indexed saves with a palette of the picture's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "formats/OwnPalette.h"
#include "formats/PaletteFile.h"
#include "formats/PictureReaders.h"
#include "formats/PngWriter.h"
#include "io/PaletteFiles.h"
#include "io/PictureFile.h"

namespace {

using namespace palette_file;
const std::filesystem::path Data(TESSARO_TESTDATA);

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(PaletteFile, EveryFormatReadsTheSameColoursAndWritesThemBack) {
    const Palette expected = {canvas::Rgb(0, 0, 0), canvas::Rgb(255, 128, 7)};
    EXPECT_EQ(Parse(Bytes("GIMP Palette\nName: x\nColumns: 2\n# c\n  0   0   0\tBlack\n255 128 7\n"), Format::Gpl),
              expected);
    EXPECT_EQ(Parse(Bytes("JASC-PAL\r\n0100\r\n2\r\n0 0 0\r\n255 128 7\r\n"), Format::JascPal), expected);
    EXPECT_EQ(Parse(Bytes("; comment\nFF000000\nffff8007\n"), Format::PaintNet), expected);
    EXPECT_EQ(Parse(Bytes("000000\n#FF8007\n\n"), Format::Hex), expected);
    std::vector<std::uint8_t> act(772, 0);
    act[3] = 255, act[4] = 128, act[5] = 7, act[769] = 2;
    EXPECT_EQ(Parse(act, Format::Act), expected);
    for (const Format f : {Format::Gpl, Format::JascPal, Format::Hex})
        EXPECT_EQ(Parse(Write(expected, f), f), expected);
}

TEST(PaletteFile, MalformedFilesAreRefusedAtTheirLine) {
    const struct {
        std::string_view text;
        Format format;
        std::size_t line;
    } refused[] = {
        {"GIMP Palette\n0 0 0\n1 2 256\n", Format::Gpl, 3},
        {"JASC-PAL\n0100\n3\n0 0 0\n", Format::JascPal, 5},
        {"JASC-PAL\n0100\n1\n0 0 0\n1 1 1\n", Format::JascPal, 5},
        {"00ff00\nabc\n", Format::Hex, 2},
        {"FF00\n", Format::PaintNet, 1},
        {"000000\n\x01\x02\n", Format::Hex, 2},
        {"", Format::Hex, 0},
    };
    for (const auto& r : refused) try {
            Parse(Bytes(r.text), r.format);
            ADD_FAILURE() << r.text;
        } catch (const PaletteFileError& e) {
            EXPECT_EQ(e.Line(), r.line) << r.text << ": " << e.what();
        }
    std::string many = "GIMP Palette\n";
    for (int i = 0; i < 257; ++i) many += "1 2 3\n";
    EXPECT_THROW(Parse(Bytes(many), Format::Gpl), PaletteFileError);
    EXPECT_THROW(Parse(std::vector<std::uint8_t>(767), Format::Act), PaletteFileError);
}

// A file's table and every pixel's index come back from a save with that
// table: the 8-bit BMP's pixel data byte for byte.
TEST(OwnPalette, IndexedFilesKeepTheirTableAndIndices) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "tessaro_own_palette";
    for (const char* name : {"bmpsuite/g/pal1.bmp", "bmpsuite/g/pal4.bmp", "bmpsuite/g/pal8.bmp",
                             "pngsuite/basn3p04.png", "pngsuite/basn3p08.png"}) {
        const PictureWithAlpha original = LoadPictureWithAlpha(Data / name);
        ASSERT_TRUE(original.table) << name;
        const Palette table = *original.table;
        for (const char* ext : {".bmp", ".png"}) {
            std::optional<canvas::Point> off;
            const auto indexed = own_palette::IndexExactly(original.colours, table, off);
            ASSERT_FALSE(off) << name;
            const std::vector<std::uint8_t> file = EncodeOwnPaletteFile(out.string() + ext, indexed, table, {});
            std::ofstream(out.string() + ext, std::ios::binary)
                .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
            const PictureWithAlpha back = LoadPictureWithAlpha(out.string() + ext);
            EXPECT_TRUE(std::equal(table.begin(), table.end(), back.table->begin())) << name << ext;
            EXPECT_TRUE(back.colours == original.colours) << name << ext;
        }
        if (std::string_view(name) != "bmpsuite/g/pal8.bmp") continue;
        const std::vector<std::uint8_t> source = FileBytes(Data / name), saved = FileBytes(out.string() + ".bmp");
        const std::size_t from = source[10] | source[11] << 8, stride = (127 + 3) / 4 * 4;
        for (std::size_t row = 0; row < 64; ++row)
            ASSERT_TRUE(std::equal(source.begin() + from + row * stride, source.begin() + from + row * stride + 127,
                                   saved.begin() + 1078 + row * stride));
    }
}

TEST(OwnPalette, SheetColoursPutTheTransparentColourFirstAndRefusePast256) {
    canvas::Picture picture(20, 20);
    for (int i = 0; i < 400; ++i) picture.SetPixel(i % 20, i / 20, canvas::Rgb(i % 3, 0, 9));
    std::size_t count = 0;
    EXPECT_EQ(own_palette::SheetColours(picture, canvas::Rgb(1, 0, 9), count),
              (Palette{canvas::Rgb(1, 0, 9), canvas::Rgb(0, 0, 9), canvas::Rgb(2, 0, 9)}));
    EXPECT_EQ(count, 3u);
    for (int i = 0; i < 400; ++i) picture.SetPixel(i % 20, i / 20, canvas::Rgb(i, i / 256, 0));
    EXPECT_TRUE(own_palette::SheetColours(picture, std::nullopt, count).empty());
    EXPECT_EQ(count, 400u);
}

// A PNG save is indexed up to 256 colours, in the fewest bits, and reads back
// as the RGB file would: the same pixels, the transparent colour at alpha 0.
TEST(OwnPalette, PngSavesOfFewColoursAreIndexedAndReadBackAsRgbDoes) {
    for (const int colours : {2, 3, 16, 17, 256, 257}) {
        canvas::Picture picture(37, 11);
        for (int i = 0; i < 37 * 11; ++i)
            picture.SetPixel(i % 37, i / 37, canvas::Rgb(i % colours, 7, i % colours / 3));
        for (const std::optional<canvas::Colour> t :
             {std::optional<canvas::Colour>(), std::optional(canvas::Rgb(1, 7, 0))}) {
            const std::vector<std::uint8_t> file = png::EncodeSmallest(picture, t, 16);
            EXPECT_EQ(file[25], colours <= 256 ? 3 : t ? 6 : 2) << colours;
            EXPECT_EQ(file[24], colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8) << colours;
            const PictureWithAlpha indexed = png::Decode(file), rgb = png::Decode(png::EncodeRgb(picture, t));
            EXPECT_TRUE(indexed.colours == rgb.colours && indexed.alpha == rgb.alpha) << colours;
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Round trips through the PNG writers and the reader: random pictures, with
// and without a transparent colour, come back with the same pixels and with
// alpha 0 exactly where T was; the indexed file keeps its indices' colours;
// names choose the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <zlib.h>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/PaletteBmp.h"
#include "formats/PictureReaders.h"
#include "formats/PngRowFilter.h"
#include "formats/PngWriter.h"
#include "formats/RowDeflate.h"
#include "formats/Transparency.h"
#include "io/PictureFile.h"
#include "io/PictureSave.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StartedEditor.h"

namespace {

// Few colours, so that runs and T both occur often.
canvas::Picture RandomPicture(std::mt19937& random, int width, int height) {
    std::uniform_int_distribution<int> level(0, 5);
    canvas::Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.SetPixel(x, y, canvas::Rgb(51 * level(random), 51 * level(random), 255));
    return p;
}

TEST(PngWriter, RgbRoundTripsKeepPixelsAndT) {
    std::mt19937 random(12);
    std::uniform_int_distribution<int> side(1, 70);
    for (int round = 0; round < 60; ++round) {
        const canvas::Picture picture = RandomPicture(random, side(random), side(random));
        const bool withT = round % 3 != 0;
        const std::optional<canvas::Colour> t =
            withT ? std::optional(picture.GetPixel(0, round % picture.Height())) : std::nullopt;
        const PictureWithAlpha read = png::Decode(png::EncodeRgb(picture, t));
        EXPECT_EQ(read.colours, picture);
        EXPECT_EQ(read.HasTransparency(), withT);
        for (int y = 0; y < picture.Height() && read.HasTransparency(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                ASSERT_EQ(read.alpha[static_cast<std::size_t>(y * picture.Width() + x)] == 0,
                          picture.GetPixel(x, y) == *t);
        // Loaded with the same T set, the chips come back as they were.
        const TransparencyResult again = ApplyTransparency(read, t);
        EXPECT_EQ(again.picture, picture);
        EXPECT_EQ(again.transparent, t);
        EXPECT_FALSE(again.chosen);
    }
}

// Rows built so that one filter predicts every byte after the first pixel
// exactly, below a random row: that filter is the choice; all-zero rows take
// the lowest type, none. The first pixel is off every prediction, so that the
// row does not simply repeat the one above.
TEST(PngWriter, RowFilterIsTheOneThatPredictsTheRow) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> previous(24);
    for (auto& b : previous) b = static_cast<std::uint8_t>(random());
    const auto rowBy = [&](auto predict) {
        std::vector<std::uint8_t> row(previous.size());
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int a = i >= 3 ? row[i - 3] : 0, b = previous[i], c = i >= 3 ? previous[i - 3] : 0;
            row[i] = static_cast<std::uint8_t>(predict(a, b, c) + (i < 3 ? 60 + 5 * i : 0));
        }
        return row;
    };
    const auto paeth = [](int a, int b, int c) {
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    };
    EXPECT_EQ(png::BestRowFilter(std::vector<std::uint8_t>(24, 0), previous, 3), 0);
    EXPECT_EQ(png::BestRowFilter(rowBy([](int a, int, int) { return a + 10; }), previous, 3), 1);
    EXPECT_EQ(png::BestRowFilter(previous, previous, 3), 2);
    EXPECT_EQ(png::BestRowFilter(rowBy([](int a, int b, int) { return (a + b) / 2; }), previous, 3), 3);
    EXPECT_EQ(png::BestRowFilter(rowBy(paeth), previous, 3), 4);
}

// The choice on vectors agrees with the rule taken byte by byte, on rows of
// every length round the vector width, of noise, of extremes (0 and 255,
// where the Paeth distances reach past a byte) and of smooth ramps with
// noise, where the filters' sums lie close together.
TEST(PngWriter, RowFilterOnVectorsFollowsTheRuleByteForByte) {
    const auto byRule = [](const std::vector<std::uint8_t>& x, const std::vector<std::uint8_t>& b, std::size_t bpp) {
        long sums[5] = {};
        for (std::size_t i = 0; i < x.size(); ++i) {
            const int a = i >= bpp ? x[i - bpp] : 0, up = b[i], c = i >= bpp ? b[i - bpp] : 0;
            const int p = a + up - c, pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
            const int predicted[5] = {0, a, up, (a + up) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? up : c};
            for (int f = 0; f < 5; ++f) {
                const int r = (x[i] - predicted[f]) & 0xFF;
                sums[f] += r < 128 ? r : 256 - r;
            }
        }
        return static_cast<int>(std::min_element(sums, sums + 5) - sums);
    };
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t bpp = round % 2 ? 3 : 4;
        const std::size_t length = round < 600 ? static_cast<std::size_t>(round % 60) : 1 + random() % 1500;
        std::vector<std::uint8_t> row(length), previous(length);
        const int kind = round % 3;
        for (std::size_t i = 0; i < length; ++i) {
            const auto noise = [&] { return static_cast<int>(random() % 7) - 3; };
            if (kind == 0) {
                row[i] = static_cast<std::uint8_t>(random()), previous[i] = static_cast<std::uint8_t>(random());
            } else if (kind == 1) {
                row[i] = random() % 2 ? 255 : 0, previous[i] = random() % 3 ? 255 : 0;
            } else {
                previous[i] = static_cast<std::uint8_t>(i / bpp * (1 + round % 5) + noise());
                row[i] = static_cast<std::uint8_t>(previous[i] + (i >= bpp ? row[i - bpp] - previous[i - bpp] : 0) +
                                                   noise());
            }
        }
        ASSERT_EQ(png::BestRowFilter(row, previous, static_cast<int>(bpp)), byRule(row, previous, bpp))
            << "round " << round << ", length " << length;
    }
}

TEST(PngWriter, TThatDoesNotOccurWritesPlainRgb) {
    const canvas::Picture picture(5, 4);  // black
    const PictureWithAlpha read = png::Decode(png::EncodeRgb(picture, canvas::White));
    EXPECT_FALSE(read.HasTransparency());
    EXPECT_EQ(read.colours, picture);
}

TEST(PngWriter, IndexedRoundTripsGiveTheTableColoursAndTransparency) {
    StartedEditor started;
    const EditorForm& form = *started;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const canvas::Picture picture = RandomPicture(random, 1 + round * 7, 1 + round * 3);
        const palette_bmp::IndexedPicture indexed = palette_bmp::Index216Colours(picture);
        const std::optional<canvas::Colour> t = round % 2 ? std::optional(picture.GetPixel(0, 0)) : std::nullopt;
        const std::vector<std::uint8_t> file = EncodePaletteFile("a.PNG", indexed, form.Palette256, t);
        ASSERT_EQ(file[25], 3);  // colour type: indexed
        const PictureWithAlpha read = png::Decode(file);
        // The cube holds every colour of these pictures exactly.
        EXPECT_EQ(read.colours, picture);
        EXPECT_EQ(read.HasTransparency(), t.has_value());
        // The BMP of the same indices holds the same picture.
        EXPECT_EQ(bmp::Decode(EncodePaletteFile("a.bmp", indexed, form.Palette256, t)), picture);
    }
}

// The image data's own compressor: every stream inflates (by zlib, not by
// the writer's own check) to its rows, whatever they hold; a stream with a
// wrong checksum or cut short fails the check; and on a sheet of map chips the stream is no more
// than 5 % larger than zlib's best.
TEST(PngWriter, RowDeflateStreamsReadBackAndMatchZlibOnChipSheets) {
    std::mt19937 random(11);
    auto bytes = [&](std::size_t n, int values) {
        std::vector<std::uint8_t> v(n);
        for (auto& b : v) b = static_cast<std::uint8_t>(random() % static_cast<unsigned>(values));
        return v;
    };
    // Chips of 16 x 16 indices (4 bits: 8 bytes a chip row) from a few
    // designs, some of them changed in a pixel or two, 30 x 16 chips.
    std::vector<std::vector<std::uint8_t>> designs;
    for (int d = 0; d < 12; ++d) designs.push_back(bytes(16 * 8, d % 3 ? 4 : 256));
    std::vector<std::uint8_t> sheet;
    for (int y = 0; y < 256; ++y) {
        sheet.push_back(0);
        for (int c = 0; c < 30; ++c) {
            const auto& design = designs[static_cast<std::size_t>((y / 16 * 5 + c / 3) % 12)];
            sheet.insert(sheet.end(), design.begin() + y % 16 * 8, design.begin() + y % 16 * 8 + 8);
            if (random() % 50 == 0) sheet.back() ^= 0x10;
        }
    }
    const std::vector<std::pair<std::vector<std::uint8_t>, std::size_t>> cases = {
        {{}, 1},
        {{7}, 1},
        {std::vector<std::uint8_t>(100000, 0), 481},
        {bytes(70000, 256), 1001},
        {bytes(40000, 3), 201},
        {sheet, 241}};
    for (const auto& [rows, rowBytes] : cases) {
        const std::vector<std::uint8_t> stream = png::DeflateRows(rows, rowBytes, 16);
        std::vector<std::uint8_t> back(rows.size() + 1);
        uLongf length = back.size();
        ASSERT_EQ(uncompress(back.data(), &length, stream.data(), static_cast<uLong>(stream.size())), Z_OK);
        back.resize(length);
        EXPECT_EQ(back, rows);
        EXPECT_TRUE(png::InflatesTo(stream, rows));
        std::vector<std::uint8_t> damaged = stream;
        damaged.back() ^= 1;  // the checksum
        EXPECT_FALSE(png::InflatesTo(damaged, rows) ||
                     png::InflatesTo(std::span(stream).first(stream.size() - 1), rows));
    }
    uLongf best = compressBound(static_cast<uLong>(sheet.size()));
    std::vector<std::uint8_t> zlib(best);
    ASSERT_EQ(compress2(zlib.data(), &best, sheet.data(), static_cast<uLong>(sheet.size()), 9), Z_OK);
    EXPECT_LE(png::DeflateRows(sheet, 241, 16).size(), best * 105 / 100);
}

TEST(PictureNames, TypeAndNumberedNamesFollowTheExtension) {
    for (const char* png : {"a.png", "A.PNG", "dir/x.Png", ".png", "a.b.png"})
        EXPECT_EQ(PictureTypeOf(png), PictureType::Png) << png;
    for (const char* bmp : {"a.bmp", "a.jpeg", "a.pngx", "a.png/b", "png", "a.png.bmp", ""})
        EXPECT_EQ(PictureTypeOf(bmp), PictureType::Bmp) << bmp;
    EXPECT_EQ(PictureTypeOf("a.JPG"), PictureType::Jpeg);
    EXPECT_EQ(NumberedFileName("map.png", 0), "map00.png");
    EXPECT_EQ(NumberedFileName("dir/map.PNG", 479), "dir/map479.png");
    EXPECT_EQ(NumberedFileName("map", 7), "map07.bmp");
    EXPECT_EQ(NumberedFileName("map.bmp", 12), "map.bmp12.bmp");
    EXPECT_EQ(NumberedFileName("a.png/map", 1), "a.png/map01.bmp");
    EXPECT_EQ(EncodePictureFile("x.bmp", canvas::Picture(2, 2), canvas::Black)[0], 'B');
    EXPECT_EQ(EncodePictureFile("x.png", canvas::Picture(2, 2), canvas::Black)[1], 'P');
}

// The IDAT data of a file written by EncodeSmallest.
std::vector<std::uint8_t> ImageData(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> data;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = std::size_t{file[at]} << 24 | std::size_t{file[at + 1]} << 16 |
                                   std::size_t{file[at + 2]} << 8 | file[at + 3];
        if (std::equal(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 8, "IDAT"))
            data.insert(data.end(), file.begin() + static_cast<long>(at) + 8,
                        file.begin() + static_cast<long>(at + 8 + length));
        at += length + 12;
    }
    return data;
}

// On sheets of the kinds where our own deflate alone lost to zlib (two
// colours with a long period, flat chips with grain, repeated chips with a
// pixel changed, sparse chips) and on tile-like sheets of designs repeated
// along the rows and down the columns, at the common chip sizes, an indexed
// save's image data is never more than 1 % larger than zlib's level 9 on the
// same rows.
TEST(PngWriter, IndexedImageDataNeverNotablyLargerThanZlibLevel9) {
    std::mt19937 random(5);
    const canvas::Colour colours[] = {0x203040, 0x40A040, 0x3060C0, 0xE0E0D0, 0x806020, 0x101010, 0xC04040, 0x60C0C0};
    auto sheet = [&](int kind, int side) {
        const int cols = 480 / side, rows = 256 / side;
        canvas::Picture p(cols * side, rows * side);
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x) {
                const int chip = y / side * cols + x / side;
                // Tile-like: 14 designs of grain over a few colours, laid
                // three designs on from one chip row to the next.
                const unsigned design = static_cast<unsigned>((y / side * 3 + x / side / 4) % 14);
                const unsigned grain =
                    (design * 7919u + static_cast<unsigned>(x % side * 131 + y % side)) * 2654435761u;
                canvas::Colour c = colours[0];
                switch (kind) {
                    case 0: c = colours[(x * 7 + y * 13) % 37 < 18 ? 0 : 3]; break;  // period of 37 pixels
                    case 1: c = colours[chip % 5 + (random() % 9 == 0 ? 1 : 0)]; break;
                    case 2: c = colours[(x % side * 3 + y % side * 5) % 8]; break;
                    case 3: c = random() % 40 == 0 ? colours[1 + random() % 7] : colours[0]; break;
                    default: c = colours[design % 4 + (grain >> 29) % (1 + design % 3)]; break;
                }
                p.SetPixel(x, y, c);
            }
        if (kind == 2)
            for (int chip = 0; chip < cols * rows; ++chip)  // each copy differs in a pixel
                p.SetPixel(chip % cols * side + static_cast<int>(random() % static_cast<unsigned>(side)),
                           chip / cols * side + static_cast<int>(random() % static_cast<unsigned>(side)),
                           colours[random() % 8]);
        return p;
    };
    for (int cell = 0; cell < 5 * 4; ++cell) {
        const int kind = cell % 5, side = std::array{16, 8, 32, 48}[static_cast<std::size_t>(cell / 5)];
        const std::vector<std::uint8_t> data = ImageData(png::EncodeSmallest(sheet(kind, side), std::nullopt, side));
        std::vector<std::uint8_t> rows(480 * 256 + 256);
        uLongf length = rows.size();
        ASSERT_EQ(uncompress(rows.data(), &length, data.data(), static_cast<uLong>(data.size())), Z_OK);
        rows.resize(length);
        uLongf zlibs = compressBound(static_cast<uLong>(rows.size()));
        std::vector<std::uint8_t> zlib(zlibs);
        ASSERT_EQ(compress2(zlib.data(), &zlibs, rows.data(), static_cast<uLong>(rows.size()), 9), Z_OK);
        EXPECT_LE(data.size() * 100, zlibs * 101) << "kind " << kind << ", chips of " << side;
    }
}

}  // namespace

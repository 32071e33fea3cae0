// The BMP reader on small files made here: run-length edge cases, colour
// masks, tables and the size limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/BmpReader.h"
#include "io/PictureReadError.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Le(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Spec {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;     // after the 40-byte header
    std::vector<canvas::Colour> table;    // written as blue, green, red, 0
    Bytes pixels;
};

Spec Of(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
        std::vector<canvas::Colour> table = {}, std::vector<std::uint32_t> masks = {}) {
    Spec s;
    s.width = width;
    s.height = height;
    s.bits = bits;
    s.compression = compression;
    s.table = std::move(table);
    s.masks = std::move(masks);
    return s;
}

// A BMP with a 40-byte info header, its fields filled from `s`.
Bytes Make(const Spec& s) {
    const std::uint32_t off = 54 + 4 * static_cast<std::uint32_t>(s.masks.size() + s.table.size());
    Bytes f = {'B', 'M'};
    Le(f, off + static_cast<std::uint32_t>(s.pixels.size()), 4);
    Le(f, 0, 4);
    Le(f, off, 4);
    Le(f, 40, 4);
    Le(f, static_cast<std::uint32_t>(s.width), 4);
    Le(f, static_cast<std::uint32_t>(s.height), 4);
    Le(f, 1, 2);
    Le(f, static_cast<std::uint32_t>(s.bits), 2);
    Le(f, s.compression, 4);
    Le(f, 0, 4);
    Le(f, 0, 4);
    Le(f, 0, 4);
    Le(f, static_cast<std::uint32_t>(s.table.size()), 4);
    Le(f, 0, 4);
    for (std::uint32_t m : s.masks) Le(f, m, 4);
    for (canvas::Colour c : s.table) {
        f.push_back(static_cast<std::uint8_t>(canvas::BlueOf(c)));
        f.push_back(static_cast<std::uint8_t>(canvas::GreenOf(c)));
        f.push_back(static_cast<std::uint8_t>(canvas::RedOf(c)));
        f.push_back(0);
    }
    f.insert(f.end(), s.pixels.begin(), s.pixels.end());
    return f;
}

const canvas::Colour Red = canvas::Rgb(255, 0, 0);
const canvas::Colour Green = canvas::Rgb(0, 255, 0);
const canvas::Colour Blue = canvas::Rgb(0, 0, 255);

std::vector<canvas::Colour> Row(const canvas::Picture& p, int y) {
    const auto r = p.Row(y);
    return {r.begin(), r.end()};
}

TEST(BmpReaderRle, RunPastTheRowEndIsCutNotCarriedOver) {
    Spec s = Of(4, 2, 8, 1, {Red, Green});
    s.pixels = {6, 1, 0, 0, 1, 0, 0, 1};  // bottom row: six greens; next row: one red; end
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 1), (std::vector<canvas::Colour>{Green, Green, Green, Green}));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{Red, 0, 0, 0}));
}

TEST(BmpReaderRle, JumpsAndEarlyEndsLeaveBlack) {
    Spec s = Of(4, 3, 8, 1, {Red, Green});
    // Jump right 1 and up 1, one green, literal run of three (padded), end.
    s.pixels = {0, 2, 1, 1, 1, 1, 0, 3, 1, 0, 1, 0, 0, 1};
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 2), (std::vector<canvas::Colour>{0, 0, 0, 0}));
    EXPECT_EQ(Row(p, 1), (std::vector<canvas::Colour>{0, Green, Green, Red}));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{0, 0, 0, 0}));
}

TEST(BmpReaderRle, FourBitRunsAlternateHighNibbleFirst) {
    Spec s = Of(7, 1, 4, 2, {Red, Green, Blue});
    // Run of 3 alternating 1 and 2; literal of 3 nibbles "2 0 1" in two
    // bytes (a whole word, so no padding); end.
    s.pixels = {3, 0x12, 0, 3, 0x20, 0x10, 0, 1};
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{Green, Blue, Green, Blue, Red, Green, 0}));
}

TEST(BmpReaderRle, UnsafeOrUnfinishedDataAreRefused) {
    Spec base = Of(4, 2, 8, 1, {Red, Green});
    for (const Bytes& data : {
             Bytes{0, 2, 5, 0, 1, 1, 0, 1},   // jump past the row's end
             Bytes{0, 2, 0, 3, 0, 1},         // jump past the top
             Bytes{0, 0, 0, 0, 1, 1, 0, 1},   // a run above the top row
             Bytes{2, 1, 0, 0},               // no end-of-bitmap code
             Bytes{0, 5, 1, 1},               // literal run longer than the data
             Bytes{2, 7, 0, 1},               // index past the table
         }) {
        Spec s = base;
        s.pixels = data;
        EXPECT_THROW(bmp::Decode(Make(s)), PictureReadError);
    }
}

TEST(BmpReaderTable, ShortTableIsUsedAndIndicesPastItAreRefused) {
    Spec s = Of(3, 1, 8, 0, {Red, Green, Blue});
    s.pixels = {2, 0, 1, 0};
    EXPECT_EQ(Row(bmp::Decode(Make(s)), 0), (std::vector<canvas::Colour>{Blue, Red, Green}));
    s.pixels = {2, 3, 1, 0};
    EXPECT_THROW(bmp::Decode(Make(s)), PictureReadError);
}

TEST(BmpReaderMasks, ChannelsScaleToFullRangeWithRounding) {
    // 5-6-5: red 31, green 32, blue 16.
    Spec s = Of(1, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F});
    const std::uint32_t v565 = 31u << 11 | 32u << 5 | 16u;
    s.pixels = {static_cast<std::uint8_t>(v565), static_cast<std::uint8_t>(v565 >> 8), 0, 0};
    EXPECT_EQ(bmp::Decode(Make(s)).GetPixel(0, 0), canvas::Rgb(255, 130, 132));

    // 10-10-10 in 32 bits with blue highest: red 1023, green 512, blue 0.
    Spec t = Of(1, 1, 32, 3, {}, {0x3FF, 0xFFC00, 0x3FF00000});
    const std::uint32_t v = 1023u | 512u << 10;
    t.pixels = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
                static_cast<std::uint8_t>(v >> 24)};
    EXPECT_EQ(bmp::Decode(Make(t)).GetPixel(0, 0), canvas::Rgb(255, 128, 0));

    t.masks = {0x3FF, 0xF0C00, 0x3FF00000};  // gaps in a mask
    EXPECT_THROW(bmp::Decode(Make(t)), PictureReadError);
}

TEST(BmpReaderRows, TopDownAndBottomUpGiveTheSamePicture) {
    Spec up = Of(1, 2, 24, 0);
    up.pixels = {255, 0, 0, 0, 0, 0, 255, 0};  // bottom row blue, top row red
    Spec down = up;
    down.height = -2;
    down.pixels = {0, 0, 255, 0, 255, 0, 0, 0};
    const canvas::Picture a = bmp::Decode(Make(up));
    EXPECT_EQ(a.GetPixel(0, 0), Red);
    EXPECT_EQ(a.GetPixel(0, 1), Blue);
    EXPECT_EQ(bmp::Decode(Make(down)), a);
}

TEST(BmpReaderLimits, HugeOrEmptySizesAreRefusedBeforeAnyPixel) {
    // Only the headers: a reader that allocated first would try for gigabytes.
    for (auto [w, h] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {32769, 1}, {1, 32769}, {16385, 16384}, {32768, 32768}, {0, 5}, {5, 0}, {-5, 5},
             {1, static_cast<std::int32_t>(0x80000000u)}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Spec s = Of(w, h, 24, 0);
        try {
            bmp::Decode(Make(s));
            FAIL() << "read";
        } catch (const PictureReadError& e) {
            EXPECT_NE(std::string(e.what()).find("not accepted"), std::string::npos) << e.what();
        }
    }
}

TEST(BmpReaderLimits, LargestSideIsAccepted) {
    Spec s = Of(32768, 1, 1, 0, {Red, Green});
    s.pixels.assign(32768 / 8, 0x80);  // every eighth pixel green
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(p.Width(), 32768);
    EXPECT_EQ(p.GetPixel(32760, 0), Green);
    EXPECT_EQ(p.GetPixel(32767, 0), Red);
}

}  // namespace

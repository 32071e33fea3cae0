// SPDX-License-Identifier: GPL-3.0-or-later
// The BMP reader on small files made here: run-length edge cases, colour
// masks, tables and the size limits; and the top-left part a load keeps,
// decoded alone, against the whole picture for every kind of file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "io/PictureFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Le(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct FileShape {
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bits = 24;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> masks;   // after the 40-byte header
    std::vector<canvas::Colour> table;  // written as blue, green, red, 0
    Bytes pixels;
};

FileShape Of(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
             std::vector<canvas::Colour> table = {}, std::vector<std::uint32_t> masks = {}) {
    FileShape s;
    s.width = width;
    s.height = height;
    s.bits = bits;
    s.compression = compression;
    s.table = std::move(table);
    s.masks = std::move(masks);
    return s;
}

// A BMP with a 40-byte info header, its fields filled from `s`.
Bytes Make(const FileShape& s) {
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
    FileShape s = Of(4, 2, 8, 1, {Red, Green});
    s.pixels = {6, 1, 0, 0, 1, 0, 0, 1};  // bottom row: six greens; next row: one red; end
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 1), (std::vector<canvas::Colour>{Green, Green, Green, Green}));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{Red, 0, 0, 0}));
}

TEST(BmpReaderRle, JumpsAndEarlyEndsLeaveBlack) {
    FileShape s = Of(4, 3, 8, 1, {Red, Green});
    // Jump right 1 and up 1, one green, literal run of three (padded), end.
    s.pixels = {0, 2, 1, 1, 1, 1, 0, 3, 1, 0, 1, 0, 0, 1};
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 2), (std::vector<canvas::Colour>{0, 0, 0, 0}));
    EXPECT_EQ(Row(p, 1), (std::vector<canvas::Colour>{0, Green, Green, Red}));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{0, 0, 0, 0}));
}

TEST(BmpReaderRle, FourBitRunsAlternateHighNibbleFirst) {
    FileShape s = Of(7, 1, 4, 2, {Red, Green, Blue});
    // Run of 3 alternating 1 and 2; literal of 3 nibbles "2 0 1" in two
    // bytes (a whole word, so no padding); end.
    s.pixels = {3, 0x12, 0, 3, 0x20, 0x10, 0, 1};
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(Row(p, 0), (std::vector<canvas::Colour>{Green, Blue, Green, Blue, Red, Green, 0}));
}

TEST(BmpReaderRle, UnsafeOrUnfinishedDataAreRefused) {
    FileShape base = Of(4, 2, 8, 1, {Red, Green});
    for (const Bytes& data : {
             Bytes{0, 2, 5, 0, 1, 1, 0, 1},  // jump past the row's end
             Bytes{0, 2, 0, 3, 0, 1},        // jump past the top
             Bytes{0, 0, 0, 0, 1, 1, 0, 1},  // a run above the top row
             Bytes{0, 0, 0, 0, 0, 0, 0, 1},  // an end of line above the top row
             Bytes{2, 1, 0, 0},              // no end-of-bitmap code
             Bytes{0, 5, 1, 1},              // literal run longer than the data
             Bytes{2, 7, 0, 1},              // index past the table
         }) {
        FileShape s = base;
        s.pixels = data;
        EXPECT_THROW(bmp::Decode(Make(s)), PictureReadError);
    }
}

TEST(BmpReaderTable, ShortTableIsUsedAndIndicesPastItAreRefused) {
    FileShape s = Of(3, 1, 8, 0, {Red, Green, Blue});
    s.pixels = {2, 0, 1, 0};
    EXPECT_EQ(Row(bmp::Decode(Make(s)), 0), (std::vector<canvas::Colour>{Blue, Red, Green}));
    s.pixels = {2, 3, 1, 0};
    EXPECT_THROW(bmp::Decode(Make(s)), PictureReadError);
}

TEST(BmpReaderMasks, ChannelsScaleToFullRangeWithRounding) {
    // 5-6-5: red 31, green 32, blue 16.
    FileShape s = Of(1, 1, 16, 3, {}, {0xF800, 0x07E0, 0x001F});
    const std::uint32_t v565 = 31u << 11 | 32u << 5 | 16u;
    s.pixels = {static_cast<std::uint8_t>(v565), static_cast<std::uint8_t>(v565 >> 8), 0, 0};
    EXPECT_EQ(bmp::Decode(Make(s)).GetPixel(0, 0), canvas::Rgb(255, 130, 132));

    // 10-10-10 in 32 bits with blue highest: red 1023, green 512, blue 0.
    FileShape t = Of(1, 1, 32, 3, {}, {0x3FF, 0xFFC00, 0x3FF00000});
    const std::uint32_t v = 1023u | 512u << 10;
    t.pixels = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
                static_cast<std::uint8_t>(v >> 24)};
    EXPECT_EQ(bmp::Decode(Make(t)).GetPixel(0, 0), canvas::Rgb(255, 128, 0));

    t.masks = {0x3FF, 0xF0C00, 0x3FF00000};  // gaps in a mask
    EXPECT_THROW(bmp::Decode(Make(t)), PictureReadError);
}

TEST(BmpReaderRows, TopDownAndBottomUpGiveTheSamePicture) {
    FileShape up = Of(1, 2, 24, 0);
    up.pixels = {255, 0, 0, 0, 0, 0, 255, 0};  // bottom row blue, top row red
    FileShape down = up;
    down.height = -2;
    down.pixels = {0, 0, 255, 0, 255, 0, 0, 0};
    const canvas::Picture a = bmp::Decode(Make(up));
    EXPECT_EQ(a.GetPixel(0, 0), Red);
    EXPECT_EQ(a.GetPixel(0, 1), Blue);
    EXPECT_EQ(bmp::Decode(Make(down)), a);
}

TEST(BmpReaderLimits, HugeOrEmptySizesAreRefusedBeforeAnyPixel) {
    // Only the headers: a reader that allocated first would try for gigabytes.
    for (auto [w, h] :
         std::vector<std::pair<std::int32_t, std::int32_t>>{{32769, 1},
                                                            {1, 32769},
                                                            {16385, 16384},
                                                            {32768, 32768},
                                                            {0, 5},
                                                            {5, 0},
                                                            {-5, 5},
                                                            {1, static_cast<std::int32_t>(0x80000000u)}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        FileShape s = Of(w, h, 24, 0);
        try {
            bmp::Decode(Make(s));
            FAIL() << "read";
        } catch (const PictureReadError& e) {
            EXPECT_NE(std::string(e.what()).find("not accepted"), std::string::npos) << e.what();
        }
    }
}

TEST(BmpReaderLimits, LargestSideIsAccepted) {
    FileShape s = Of(32768, 1, 1, 0, {Red, Green});
    s.pixels.assign(32768 / 8, 0x80);  // every eighth pixel green
    const canvas::Picture p = bmp::Decode(Make(s));
    EXPECT_EQ(p.Width(), 32768);
    EXPECT_EQ(p.GetPixel(32760, 0), Green);
    EXPECT_EQ(p.GetPixel(32767, 0), Red);
}

// ---- The top-left part a load keeps ----------------------------------------

namespace fs = std::filesystem;

const fs::path Suite = fs::path(TESSARO_TESTDATA) / "bmpsuite";

std::vector<fs::path> SuiteFiles() {
    std::vector<fs::path> files;
    for (const char* folder : {"g", "q", "b"})
        for (const auto& entry : fs::directory_iterator(Suite / folder))
            if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

canvas::Picture TopLeft(const canvas::Picture& whole, int width, int height) {
    canvas::Picture part(std::min(width, whole.Width()), std::min(height, whole.Height()));
    part.Draw(0, 0, whole);
    return part;
}

// Part sizes around every edge that matters: single pixels, byte and word
// boundaries of the packed formats, one short of the picture, the picture,
// more than the picture.
std::vector<std::pair<int, int>> PartSizes(int width, int height) {
    std::vector<std::pair<int, int>> sizes = {{1, 1}, {3, 2}, {7, 5}, {9, 17}, {33, 1}, {1, 40}, {480, 256}};
    for (int w : {width / 2 + 1, width - 1, width, width + 5})
        for (int h : {height / 3 + 1, height - 1, height, height + 5})
            if (w > 0 && h > 0) sizes.emplace_back(w, h);
    return sizes;
}

// A part is refused exactly when the whole file is, and otherwise equals
// the top-left corner of the whole picture.
void ExpectPartsAgree(std::span<const std::uint8_t> file) {
    std::optional<canvas::Picture> whole;
    try {
        whole = bmp::Decode(file);
    } catch (const PictureReadError&) {}
    for (auto [w, h] : whole ? PartSizes(whole->Width(), whole->Height()) : PartSizes(16, 16)) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        if (!whole) {
            EXPECT_THROW(bmp::Decode(file, w, h), PictureReadError);
            continue;
        }
        try {
            EXPECT_EQ(bmp::Decode(file, w, h), TopLeft(*whole, w, h));
        } catch (const PictureReadError& e) {
            ADD_FAILURE() << "refused: " << e.what();
        }
    }
}

TEST(BmpReaderPart, EverySuiteFileGivesTheTopLeftOfItsWholePicture) {
    for (const fs::path& path : SuiteFiles()) {
        SCOPED_TRACE(path.parent_path().filename().string() + "/" + path.filename().string());
        ExpectPartsAgree(FileBytes(path));
    }
}

// Damage anywhere, in the headers or in pixels outside the part, refuses a
// part exactly when it refuses the whole file.
TEST(BmpReaderPart, DamagedFilesAreRefusedAsTheWholeFileIs) {
    std::uint32_t seed = 777;
    const auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (const char* name : {"pal1", "pal4", "pal4rle", "pal8", "pal8rle", "pal8topdown", "pal8os2", "rgb16-565",
                             "rgb24", "rgb32bf", "pal8w125"}) {
        SCOPED_TRACE(name);
        const Bytes original = FileBytes(Suite / "g" / (std::string(name) + ".bmp"));
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(round);
            Bytes bytes = original;
            for (int i = 0; i < 3; ++i)
                bytes[random() % std::min<std::size_t>(bytes.size(), round % 2 ? bytes.size() : 1200)] =
                    static_cast<std::uint8_t>(random());
            ExpectPartsAgree(bytes);
        }
    }
}

// Rows without padding at the end of the file, and widths that end inside a
// byte or a word, bottom-up and top-down.
TEST(BmpReaderPart, PackedAndUnpaddedRowsGiveTheTopLeft) {
    std::uint32_t seed = 99;
    const auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<std::uint8_t>(seed >> 24);
    };
    for (int bits : {1, 2, 4, 8, 24, 32}) {
        for (std::int32_t height : {5, -5}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, height " + std::to_string(height));
            const int width = 13;
            FileShape s = Of(width, height, bits, 0);
            if (bits <= 8) {
                // A full table: every index has a colour.
                for (int i = 0; i < (1 << bits); ++i) s.table.push_back(canvas::Rgb(i, 255 - i, i * 7 % 256));
            }
            const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 7) / 8;
            const std::size_t stride = (rowBytes + 3) / 4 * 4;
            for (std::size_t i = 0; i < stride * 4 + rowBytes; ++i) s.pixels.push_back(random());
            ExpectPartsAgree(Make(s));
        }
    }
}

// With a short table, an index past it is refused wherever it lies: in a
// row below the part, or right of it.
TEST(BmpReaderPart, IndicesPastAShortTableAreRefusedOutsideThePartToo) {
    FileShape s = Of(4, 3, 8, 0, {Red, Green, Blue});
    s.pixels = {0, 1, 2, 1, 1, 1, 1, 1, 2, 2, 2, 2};  // bottom row first
    EXPECT_EQ(bmp::Decode(Make(s), 2, 1), TopLeft(bmp::Decode(Make(s)), 2, 1));
    for (std::size_t at : {std::size_t{0}, std::size_t{3}, std::size_t{11}}) {
        FileShape bad = s;
        bad.pixels[at] = 3;
        EXPECT_THROW(bmp::Decode(Make(bad), 2, 1), PictureReadError) << at;
    }
    FileShape rle = Of(4, 3, 8, 1, {Red, Green});
    rle.pixels = {4, 5, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1};  // the bottom row's index 5 has no colour
    EXPECT_THROW(bmp::Decode(Make(rle), 4, 1), PictureReadError);
}

// Through a file on disk, read only where the part lies.
TEST(BmpReaderPart, FilesOnDiskGiveTheTopLeft) {
    const ScratchDirectory scratch;
    std::uint32_t seed = 5;
    for (std::int32_t height : {300, -300}) {
        SCOPED_TRACE(height);
        FileShape s = Of(301, height, 24, 0);
        for (std::size_t i = 0; i < 904 * 300; ++i)
            s.pixels.push_back(static_cast<std::uint8_t>((seed = seed * 69069u + 1) >> 24));
        const Bytes file = Make(s);
        std::ofstream("p.bmp", std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        const canvas::Picture whole = bmp::Decode(file);
        EXPECT_EQ(LoadPictureFile("p.bmp"), whole);
        for (auto [w, h] : PartSizes(301, 300)) EXPECT_EQ(LoadPictureFile("p.bmp", w, h), TopLeft(whole, w, h));
        // A file cut short in the rows outside the part is still refused.
        fs::resize_file("p.bmp", file.size() - 10);
        EXPECT_THROW(LoadPictureFile("p.bmp", 16, 16), PictureReadError);
    }
}

// A preview takes every step-th pixel of every step-th row of the whole
// picture, and is refused exactly when the whole picture is.
TEST(BmpReaderReduced, EverySuiteFileGivesItsWholePictureSubsampled) {
    for (const fs::path& path : SuiteFiles()) {
        SCOPED_TRACE(path.filename().string());
        const Bytes file = FileBytes(path);
        MemoryBytes bytes(file);
        std::optional<canvas::Picture> whole;
        try {
            whole = bmp::Decode(file);
        } catch (const PictureReadError&) {
            EXPECT_THROW(bmp::DecodeReduced(bytes, 20), PictureReadError);
            continue;
        }
        const ReducedPicture reduced = bmp::DecodeReduced(bytes, 20);
        const int step = ReductionStep(whole->Width(), whole->Height(), 20);
        ASSERT_EQ(reduced.picture.Width(), (whole->Width() + step - 1) / step);
        ASSERT_EQ(reduced.picture.Height(), (whole->Height() + step - 1) / step);
        EXPECT_EQ(std::make_pair(reduced.width, reduced.height), std::make_pair(whole->Width(), whole->Height()));
        for (int y = 0; y < reduced.picture.Height(); ++y)
            for (int x = 0; x < reduced.picture.Width(); ++x)
                ASSERT_EQ(reduced.picture.GetPixel(x, y), whole->GetPixel(x * step, y * step)) << x << "," << y;
    }
}

// Only regular files are read: a pipe is refused without waiting for a
// writer, a device (even behind a link named .bmp) without being read, and a
// directory at once; the system's refusal comes with its reason.
TEST(BmpReaderPart, OnlyRegularFilesAreRead) {
    const ScratchDirectory scratch;
    ASSERT_EQ(::mkfifo("pipe.bmp", 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", "zero.bmp"), 0);
    ASSERT_EQ(::mkdir("folder.bmp", 0700), 0);
    for (const char* path : {"pipe.bmp", "zero.bmp", "folder.bmp"}) {
        try {
            LoadPictureFile(path, 16, 16);
            ADD_FAILURE() << "read " << path;
        } catch (const PictureReadError& e) {
            EXPECT_EQ(e.Reason(), PictureReadReason::NotAFile) << path;
        }
    }
    try {
        LoadPictureFile("missing.bmp");
        ADD_FAILURE() << "read a missing file";
    } catch (const PictureReadError& e) {
        EXPECT_EQ(e.Reason(), PictureReadReason::CannotOpen);
        EXPECT_EQ(e.SystemError(), ENOENT);
    }
}

}  // namespace

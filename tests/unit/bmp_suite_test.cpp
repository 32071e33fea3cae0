// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture of the BMP suite through the reader: good files must equal
// their reference pictures, questionable files must read as listed or fail
// cleanly, bad files must fail cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "tests/support/FileBytes.h"
#include "tests/unit/bmp_png_reference.h"

namespace {

const std::filesystem::path Suite = std::filesystem::path(TESSARO_TESTDATA) / "bmpsuite";

std::vector<std::string> BmpNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Suite / folder))
        if (entry.path().extension() == ".bmp") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

ReferencePicture Reference(const std::filesystem::path& png) {
    auto ref = ReadPng(png.string());
    if (!ref) throw std::runtime_error("no reference " + png.string());
    return *ref;
}

TEST(BmpSuite, FolderIsThere) {
    EXPECT_EQ(BmpNames("g").size(), 27u);
    EXPECT_EQ(BmpNames("q").size(), 43u);
    EXPECT_EQ(BmpNames("b").size(), 20u);
}

TEST(BmpSuite, EveryGoodFileEqualsItsReference) {
    for (const std::string& name : BmpNames("g")) {
        SCOPED_TRACE("g/" + name);
        const canvas::Picture picture = bmp::Decode(FileBytes(Suite / "g" / (name + ".bmp")));
        EXPECT_EQ(CountDifferences(picture, Reference(Suite / "g" / (name + ".png")), 0), 0);
    }
}

// What the reader does with each questionable file.
enum class Outcome {
    Refused,    // fails with PictureReadError
    Exact,      // equals NAME.png where it is opaque
    Near,       // equals NAME.png within 1 level (channels wider than 8 bits)
    BlackGaps,  // equals NAME.alt-b.png: pixels no RLE code reaches are black
    Read,       // reads at 127 x 64; the reference renders it differently
};

const std::map<std::string, Outcome> Questionable = {
    {"pal1huffmsb", Outcome::Refused},  // OS/2 Huffman compression
    {"pal1p1", Outcome::Exact},
    {"pal2", Outcome::Exact},
    {"pal2color", Outcome::Exact},
    {"pal4rlecut", Outcome::BlackGaps},
    {"pal4rletrns", Outcome::BlackGaps},
    {"pal8offs", Outcome::Exact},
    {"pal8os2-hs", Outcome::Exact},
    {"pal8os2-sz", Outcome::Exact},
    {"pal8os2sp", Outcome::Exact},
    {"pal8os2v2-16", Outcome::Exact},
    {"pal8os2v2-40sz", Outcome::Exact},
    {"pal8os2v2-sz", Outcome::Exact},
    {"pal8os2v2", Outcome::Exact},
    {"pal8oversizepal", Outcome::Exact},
    {"pal8rlecut", Outcome::BlackGaps},
    {"pal8rletrns", Outcome::BlackGaps},
    {"rgb16-231", Outcome::Exact},
    {"rgb16-3103", Outcome::Exact},
    {"rgb16faketrns", Outcome::Exact},
    {"rgb24jpeg", Outcome::Refused},  // embedded JPEG stream
    {"rgb24largepal", Outcome::Exact},
    {"rgb24lprof", Outcome::Exact},
    {"rgb24png", Outcome::Refused},  // embedded PNG stream
    {"rgb24prof", Outcome::Exact},
    {"rgb24prof2", Outcome::Read},     // colour profile ignored: red and green stay swapped
    {"rgb24rle24", Outcome::Refused},  // OS/2 RLE24
    {"rgb32-111110", Outcome::Near},
    {"rgb32-7187", Outcome::Read},  // reference is gamma-adjusted for the wide channels
    {"rgb32-xbgr", Outcome::Exact},
    {"rgb32fakealpha", Outcome::Exact},
    {"rgb32h52", Outcome::Exact},
    {"rgba16-1924", Outcome::Exact},
    {"rgba16-4444", Outcome::Exact},
    {"rgba16-5551", Outcome::Exact},
    {"rgba32-1", Outcome::Exact},
    {"rgba32-1010102", Outcome::Exact},
    {"rgba32-2", Outcome::Exact},
    {"rgba32-61754", Outcome::Read},
    {"rgba32-81284", Outcome::Read},
    {"rgba32abf", Outcome::Exact},
    {"rgba32h56", Outcome::Exact},
    {"rgba64", Outcome::Refused},  // 64 bits per pixel
};

TEST(BmpSuite, QuestionableFilesReadAsListedOrFailCleanly) {
    for (const std::string& name : BmpNames("q")) {
        SCOPED_TRACE("q/" + name);
        const auto expected = Questionable.find(name);
        ASSERT_NE(expected, Questionable.end()) << "not in the table";
        const auto bytes = FileBytes(Suite / "q" / (name + ".bmp"));
        if (expected->second == Outcome::Refused) {
            EXPECT_THROW(bmp::Decode(bytes), PictureReadError);
            continue;
        }
        const canvas::Picture picture = bmp::Decode(bytes);
        switch (expected->second) {
            case Outcome::Exact:
                EXPECT_EQ(CountDifferences(picture, Reference(Suite / "q" / (name + ".png")), 0), 0);
                break;
            case Outcome::Near:
                EXPECT_EQ(CountDifferences(picture, Reference(Suite / "q" / (name + ".png")), 1), 0);
                break;
            case Outcome::BlackGaps:
                EXPECT_EQ(CountDifferences(picture, Reference(Suite / "q" / (name + ".alt-b.png")), 0), 0);
                break;
            default: EXPECT_EQ(picture.Width(), 127); EXPECT_EQ(picture.Height(), 64);
        }
    }
}

TEST(BmpSuite, BadFilesFailCleanly) {
    // Read on purpose: a channel without bits reads as 0, as its reference shows.
    const std::map<std::string, std::string> readable = {{"rgb16-880", "b/rgb16-880.png"}};
    for (const std::string& name : BmpNames("b")) {
        SCOPED_TRACE("b/" + name);
        const auto bytes = FileBytes(Suite / "b" / (name + ".bmp"));
        if (const auto it = readable.find(name); it != readable.end()) {
            EXPECT_EQ(CountDifferences(bmp::Decode(bytes), Reference(Suite / it->second), 0), 0);
            continue;
        }
        EXPECT_THROW(bmp::Decode(bytes), PictureReadError);
    }
}

// Every cut of a good file is refused, or (a last row without its padding)
// reads as the whole file does; also when the file size field can't warn.
TEST(BmpSuite, TruncatedGoodFilesAreRefused) {
    for (const char* name :
         {"pal1", "pal4rle", "pal8rle", "pal8os2", "rgb16-565", "rgb24", "rgb32bf", "pal8v5", "pal8w125"}) {
        SCOPED_TRACE(name);
        auto bytes = FileBytes(Suite / "g" / (std::string(name) + ".bmp"));
        const canvas::Picture whole = bmp::Decode(bytes);
        for (int unsizedField = 0; unsizedField < 2; ++unsizedField) {
            if (unsizedField) std::fill(bytes.begin() + 2, bytes.begin() + 6, 0);
            for (std::size_t length = 0; length < bytes.size(); ++length) {
                const std::span<const std::uint8_t> cut(bytes.data(), length);
                try {
                    const canvas::Picture picture = bmp::Decode(cut);
                    EXPECT_TRUE(unsizedField && picture == whole) << "cut at " << length;
                } catch (const PictureReadError&) {}
            }
        }
    }
}

// Random damage to good files never gets past the reader as anything but a
// PictureReadError or a picture of sane size.
TEST(BmpSuite, DamagedFilesFailCleanly) {
    std::uint32_t seed = 12345;
    const auto random = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int refused = 0;
    for (const std::string& name : BmpNames("g")) {
        const auto original = FileBytes(Suite / "g" / (name + ".bmp"));
        for (int round = 0; round < 60; ++round) {
            auto bytes = original;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i) {
                // Mostly the headers and the table, where the damage matters.
                const std::size_t at = random() % std::min<std::size_t>(bytes.size(), round % 2 ? 1200 : 70);
                bytes[at] = static_cast<std::uint8_t>(random());
            }
            try {
                const canvas::Picture picture = bmp::Decode(bytes);
                EXPECT_LE(static_cast<long>(picture.Width()) * picture.Height(), 1L << 28);
            } catch (const PictureReadError&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace

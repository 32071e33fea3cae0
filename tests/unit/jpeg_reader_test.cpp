// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG reader: libjpeg's default decode of the sample files, colour
// conversions, which failures count as unreadable files and which as faulty
// data, and the top-left part a load keeps, decoded alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "io/PictureFile.h"
#include "tests/support/CompressedJpeg.h"
#include "tests/support/FileBytes.h"
#include "tests/unit/bmp_png_reference.h"

namespace fs = std::filesystem;

namespace {

const fs::path Samples = fs::path(TESSARO_TESTDATA) / "jpeg";

std::size_t Find(const std::vector<std::uint8_t>& bytes, std::uint8_t marker, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) return i;
    return std::string::npos;
}

canvas::Picture TopLeft(const canvas::Picture& whole, int width, int height) {
    canvas::Picture part(std::min(width, whole.Width()), std::min(height, whole.Height()));
    part.Draw(0, 0, whole);
    return part;
}

TEST(JpegReader, SamplesEqualTheReferenceDecode) {
    for (const char* name : {"testorig", "testimgint", "testimgari", "testorig-progressive"}) {
        SCOPED_TRACE(name);
        const canvas::Picture picture = jpeg::Decode(FileBytes(Samples / (std::string(name) + ".jpg")));
        const auto ref = ReadPng((Samples / "ref" / (std::string(name) + ".png")).string());
        ASSERT_TRUE(ref);
        EXPECT_EQ(CountDifferences(picture, *ref, 0), 0);
    }
}

TEST(JpegReader, UnreadableHeadersAreReadFailures) {
    EXPECT_THROW(jpeg::Decode(FileBytes(Samples / "monkey12.jpg")), PictureReadError);  // 12-bit samples
    EXPECT_THROW(jpeg::Decode({}), PictureReadError);
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
    EXPECT_THROW(jpeg::Decode(text), PictureReadError);
    const auto whole = FileBytes(Samples / "testorig.jpg");
    const std::size_t sos = Find(whole, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    // Cut anywhere before the first scan: the header is incomplete.
    for (std::size_t length : {std::size_t{2}, std::size_t{100}, sos}) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_THROW(jpeg::Decode(cut), PictureReadError) << length;
    }
}

TEST(JpegReader, OversizedPicturesAreRefusedAfterTheHeader) {
    auto bytes = FileBytes(Samples / "testorig.jpg");
    const std::size_t sof = Find(bytes, 0xC0);
    ASSERT_NE(sof, std::string::npos);
    for (auto [w, h] : std::vector<std::pair<int, int>>{{40000, 10}, {10, 40000}, {20000, 20000}}) {
        bytes[sof + 5] = static_cast<std::uint8_t>(h >> 8);
        bytes[sof + 6] = static_cast<std::uint8_t>(h);
        bytes[sof + 7] = static_cast<std::uint8_t>(w >> 8);
        bytes[sof + 8] = static_cast<std::uint8_t>(w);
        try {
            jpeg::Decode(bytes);
            FAIL() << "read " << w << "x" << h;
        } catch (const PictureReadError& e) {
            EXPECT_NE(std::string(e.what()).find("not accepted"), std::string::npos) << e.what();
        }
    }
}

PictureReadReason ReasonOf(const std::vector<std::uint8_t>& bytes, int keepWidth = 32768, int keepHeight = 32768) {
    try {
        jpeg::Decode(bytes, keepWidth, keepHeight);
    } catch (const PictureReadError& e) {
        return e.Reason();
    }
    ADD_FAILURE() << "read";
    return PictureReadReason::CannotOpen;
}

// Faults that libjpeg finds only while decoding the image, after a good
// header, are not "unreadable file" but faulty data.
TEST(JpegReader, FaultyDataAfterTheHeaderIsFaultyData) {
    auto bytes = FileBytes(Samples / "testorig-progressive.jpg");
    const std::size_t second = Find(bytes, 0xDA, Find(bytes, 0xDA) + 2);
    ASSERT_NE(second, std::string::npos);
    bytes[second + 8] = 0x50;  // spectral end past 63
    EXPECT_EQ(ReasonOf(bytes), PictureReadReason::FaultyData);
}

// A file that ends inside the rows a load keeps is faulty, not a picture
// with a grey part; rows above where it ends still load.
TEST(JpegReader, FilesCutShortFailInsideThePartOnly) {
    const auto truncated = FileBytes(Samples / "testorig-truncated.jpg");
    const auto ref = ReadPng((Samples / "ref" / "testorig-truncated.png").string());
    ASSERT_TRUE(ref);
    EXPECT_EQ(ReasonOf(truncated), PictureReadReason::FaultyData);
    const canvas::Picture top = jpeg::Decode(truncated, ref->width, 16);
    long differences = 0;
    for (int y = 0; y < top.Height(); ++y)
        for (int x = 0; x < top.Width(); ++x) differences += top.GetPixel(x, y) != ref->ColourAt(x, y);
    EXPECT_EQ(differences, 0);
    const auto whole = FileBytes(Samples / "testorig.jpg");
    const canvas::Picture full = jpeg::Decode(whole);
    const std::size_t data = Find(whole, 0xDA);
    // Cut anywhere: the whole picture always fails; its top rows fail for
    // cuts up to some point within the file's first half and load after it.
    std::size_t firstLoaded = 0;
    for (std::size_t length = data + 40; length < whole.size() - 2; length += 97) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_EQ(ReasonOf(cut), PictureReadReason::FaultyData) << length;
        try {
            EXPECT_EQ(jpeg::Decode(cut, 40, 8), TopLeft(full, 40, 8)) << length;
            if (!firstLoaded) firstLoaded = length;
        } catch (const PictureReadError& e) {
            EXPECT_EQ(e.Reason(), PictureReadReason::FaultyData) << length;
            EXPECT_EQ(firstLoaded, 0u) << "the top rows failed at " << length << " after loading at " << firstLoaded;
        }
    }
    EXPECT_GT(firstLoaded, data + 40);
    EXPECT_LT(firstLoaded, whole.size() / 2);
}

// Files of several scans keep all coefficients and pass every scan over
// them: a frame too large for that, or too many scans, are refused as too
// large, never as broken data, before the work is done.
TEST(JpegReader, WorkPastTheBudgetIsTooLarge) {
    const auto original = FileBytes(Samples / "testorig-progressive.jpg");
    const std::size_t sof = Find(original, 0xC2);
    ASSERT_NE(sof, std::string::npos);
    const auto sized = [&](std::vector<std::uint8_t> bytes, int w, int h) {
        bytes[sof + 5] = static_cast<std::uint8_t>(h >> 8);
        bytes[sof + 6] = static_cast<std::uint8_t>(h);
        bytes[sof + 7] = static_cast<std::uint8_t>(w >> 8);
        bytes[sof + 8] = static_cast<std::uint8_t>(w);
        return bytes;
    };
    EXPECT_EQ(ReasonOf(sized(original, 16000, 16000), 480, 256), PictureReadReason::TooLarge);
    EXPECT_EQ(ReasonOf(sized(original, 4200, 4200), 16, 16), PictureReadReason::TooLarge);
    // The last scan repeated: 1100 times, or 300 times over a larger frame.
    std::size_t last = 0;
    for (std::size_t at = Find(original, 0xDA); at != std::string::npos; at = Find(original, 0xDA, at + 2)) last = at;
    const std::size_t eoi = Find(original, 0xD9, last);
    ASSERT_NE(eoi, std::string::npos);
    for (auto [repeats, side] : {std::pair{1100, 0}, std::pair{300, 3000}}) {
        std::vector<std::uint8_t> bytes(original.begin(), original.begin() + static_cast<long>(eoi));
        for (int i = 0; i < repeats; ++i)
            bytes.insert(bytes.end(), original.begin() + static_cast<long>(last),
                         original.begin() + static_cast<long>(eoi));
        bytes.insert(bytes.end(), {0xFF, 0xD9});
        if (side) bytes = sized(bytes, side, side);
        EXPECT_EQ(ReasonOf(bytes, 16, 16), PictureReadReason::TooLarge) << repeats;
    }
}

// A 16 x 16 picture of one colour, compressed here with libjpeg.
std::vector<std::uint8_t> Compress(J_COLOR_SPACE input, int components, const std::vector<std::uint8_t>& pixel,
                                   J_COLOR_SPACE stored) {
    const JpegSettings how{.input = input, .components = components, .stored = stored, .quality = 100};
    return CompressJpeg(how, [&](int, std::span<std::uint8_t> row) {
        for (std::size_t x = 0; x < row.size(); ++x) row[x] = pixel[x % pixel.size()];
    });
}

void ExpectNear(canvas::Colour got, canvas::Colour want) {
    EXPECT_NEAR(canvas::RedOf(got), canvas::RedOf(want), 2);
    EXPECT_NEAR(canvas::GreenOf(got), canvas::GreenOf(want), 2);
    EXPECT_NEAR(canvas::BlueOf(got), canvas::BlueOf(want), 2);
}

TEST(JpegReader, GreyAndCmykBecomeRgb) {
    const canvas::Picture grey = jpeg::Decode(Compress(JCS_GRAYSCALE, 1, {90}, JCS_GRAYSCALE));
    ASSERT_EQ(grey.Width(), 16);
    ExpectNear(grey.GetPixel(7, 7), canvas::Rgb(90, 90, 90));

    // libjpeg marks CMYK files as Adobe's, whose ink values are inverted:
    // 255 is no ink. Orange: no cyan, half magenta, full yellow, no black.
    const std::vector<std::uint8_t> orange = {255, 127, 0, 255};
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        const canvas::Picture p = jpeg::Decode(Compress(JCS_CMYK, 4, orange, stored));
        ExpectNear(p.GetPixel(8, 8), canvas::Rgb(255, 127, 0));
    }
}

TEST(PictureFile, OnlyTheDotJpgExtensionMeansJpeg) {
    for (const char* path : {"map.jpg", "map.JPG", "dir/map.JpG", ".jpg", "a.b.jpg"})
        EXPECT_TRUE(IsJpegPath(path)) << path;
    for (const char* path : {"map.jpeg", "map", "map.jpg.bmp", "dir.jpg/map", "map.jp", "map.jpgx", "mapjpg"})
        EXPECT_FALSE(IsJpegPath(path)) << path;
}

TEST(PictureFile, FilesAreReadByTheirExtension) {
    const fs::path dir = fs::temp_directory_path() / ("tessaro-picturefile-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(Samples / "testorig.jpg", dir / "rose.JPG", fs::copy_options::overwrite_existing);
    fs::copy_file(Samples / "testorig.jpg", dir / "rose.jpeg", fs::copy_options::overwrite_existing);
    EXPECT_EQ(LoadPictureFile((dir / "rose.JPG").string()).Width(), 227);
    EXPECT_THROW(LoadPictureFile((dir / "rose.jpeg").string()), PictureReadError);  // read as BMP
    EXPECT_THROW(LoadPictureFile((dir / "missing.bmp").string()), PictureReadError);
    EXPECT_THROW(LoadPictureFile(dir.string()), PictureReadError);  // a directory
    fs::remove_all(dir);
}

// ---- The top-left part a load keeps ----------------------------------------

// How a test picture is stored.
struct Storage {
    const char* name;
    J_COLOR_SPACE stored;
    int hSampling = 2, vSampling = 2;  // of the first component; the others take 1 x 1
    bool progressive = false;
    int restartRows = 0;
};

// A picture of 203 x 141 pixels (no whole number of blocks either way) with
// detail in every pixel, so that any difference at a block or an upsampled
// edge shows.
std::vector<std::uint8_t> CompressDetailed(const Storage& how) {
    const bool cmyk = how.stored == JCS_CMYK || how.stored == JCS_YCCK;
    const bool grey = how.stored == JCS_GRAYSCALE;
    const int components = cmyk ? 4 : grey ? 1 : 3;
    const JpegSettings settings{.width = 203,
                                .height = 141,
                                .input = cmyk   ? JCS_CMYK
                                         : grey ? JCS_GRAYSCALE
                                                : JCS_RGB,
                                .components = components,
                                .stored = how.stored,
                                .quality = 85,
                                .hSampling = how.hSampling,
                                .vSampling = how.vSampling,
                                .progressive = how.progressive,
                                .restartRows = how.restartRows};
    std::uint32_t seed = 4321;
    return CompressJpeg(settings, [&](int y, std::span<std::uint8_t> row) {
        for (int x = 0; x < settings.width; ++x)
            for (int c = 0; c < components; ++c) {
                seed = seed * 1664525u + 1013904223u;
                const int shade = (x * (c + 1) * 3 + y * (4 - c) * 2) % 256;
                row[static_cast<std::size_t>(x * components + c)] =
                    static_cast<std::uint8_t>((shade + static_cast<int>(seed >> 27)) & 0xFF);
            }
    });
}

// Part sizes at every edge that matters: single pixels, block and MCU
// edges and a pixel either side of them, widths within an MCU of the
// picture's, the picture, more than the picture, and the sizes loads use.
std::vector<std::pair<int, int>> PartSizes(int width, int height) {
    std::vector<std::pair<int, int>> sizes = {{1, 1},   {7, 5},  {8, 8},   {9, 15}, {16, 16},
                                              {17, 33}, {31, 1}, {32, 32}, {33, 2}, {480, 256}};
    for (int w : {width / 2 + 3, width - 33, width - 17, width - 16, width - 15, width - 1, width, width + 40})
        for (int h : {height / 3, height - 1, height, height + 40}) sizes.emplace_back(w, h);
    return sizes;
}

void ExpectPartsAgree(const std::vector<std::uint8_t>& file) {
    std::optional<canvas::Picture> whole;
    try {
        whole = jpeg::Decode(file);
    } catch (const PictureReadError& e) {
        if (e.Reason() == PictureReadReason::FaultyData) return;  // cut short: see FilesCutShortFailInsideThePartOnly
    }
    if (!whole) {
        // A refused header is refused whatever the part.
        EXPECT_THROW(jpeg::Decode(file, 16, 16), PictureReadError);
        return;
    }
    for (auto [w, h] : PartSizes(whole->Width(), whole->Height())) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        EXPECT_EQ(jpeg::Decode(file, w, h), TopLeft(*whole, w, h));
    }
}

TEST(JpegReaderPart, EverySampleGivesTheTopLeftOfItsWholePicture) {
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(Samples)) {
        if (entry.path().extension() != ".jpg") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ExpectPartsAgree(FileBytes(entry.path()));
        ++samples;
    }
    EXPECT_GE(samples, 6);
}

TEST(JpegReaderPart, EverySamplingAndColourSpaceGivesTheTopLeft) {
    for (const Storage& how :
         {Storage{"4:2:0", JCS_YCbCr}, Storage{"4:2:2", JCS_YCbCr, 2, 1}, Storage{"4:4:0", JCS_YCbCr, 1, 2},
          Storage{"4:4:4", JCS_YCbCr, 1, 1}, Storage{"4:1:1", JCS_YCbCr, 4, 1},
          Storage{"4:2:0 progressive", JCS_YCbCr, 2, 2, true}, Storage{"4:2:2 progressive", JCS_YCbCr, 2, 1, true},
          Storage{"4:2:0 restarts", JCS_YCbCr, 2, 2, false, 1}, Storage{"RGB", JCS_RGB, 1, 1},
          Storage{"grey", JCS_GRAYSCALE, 1, 1}, Storage{"grey progressive", JCS_GRAYSCALE, 1, 1, true},
          Storage{"CMYK", JCS_CMYK, 1, 1}, Storage{"YCCK", JCS_YCCK, 2, 2},
          Storage{"YCCK progressive", JCS_YCCK, 2, 2, true}}) {
        SCOPED_TRACE(how.name);
        ExpectPartsAgree(CompressDetailed(how));
    }
}

// Rows below the part are never decoded: a fault that libjpeg finds only
// at the end of the file stops the whole picture, not its top rows.
TEST(JpegReaderPart, FaultsBelowThePartAreNotReached) {
    const auto original = CompressDetailed(Storage{"4:2:0", JCS_YCbCr});
    const std::size_t sof = Find(original, 0xC0);
    const std::size_t eoi = Find(original, 0xD9, Find(original, 0xDA));
    ASSERT_NE(sof, std::string::npos);
    ASSERT_NE(eoi, std::string::npos);
    // A second frame header after the scan.
    const std::size_t sofLength = 2 + (original[sof + 2] << 8 | original[sof + 3]);
    std::vector<std::uint8_t> bytes(original.begin(), original.begin() + static_cast<long>(eoi));
    bytes.insert(bytes.end(), original.begin() + static_cast<long>(sof),
                 original.begin() + static_cast<long>(sof + sofLength));
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    EXPECT_EQ(ReasonOf(bytes), PictureReadReason::FaultyData);
    EXPECT_EQ(jpeg::Decode(bytes, 480, 32), TopLeft(jpeg::Decode(original), 480, 32));
}

// A preview is decoded at a reduced size that still fills half the room,
// with the whole picture's size beside it; one that fits is the whole.
TEST(JpegReaderReduced, PreviewsFitTheRoom) {
    const auto file = CompressDetailed(Storage{"4:2:0", JCS_YCbCr});
    const canvas::Picture whole = jpeg::Decode(file);
    MemoryBytes bytes(file);
    for (int side : {300, 100, 30, 7}) {
        const ReducedPicture reduced = jpeg::DecodeReduced(bytes, side);
        EXPECT_EQ(std::make_pair(reduced.width, reduced.height), std::make_pair(203, 141));
        EXPECT_LE(std::max(reduced.picture.Width(), reduced.picture.Height()), side);
        EXPECT_GE(std::max(reduced.picture.Width(), reduced.picture.Height()), side / 2);
        if (side == 300) {
            EXPECT_EQ(reduced.picture, whole);
        }
    }
}

TEST(PictureFile, JpegFilesOnDiskGiveTheTopLeft) {
    const fs::path dir = fs::temp_directory_path() / ("tessaro-picturepart-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(Samples / "testorig.jpg", dir / "rose.jpg", fs::copy_options::overwrite_existing);
    const canvas::Picture whole = LoadPictureFile((dir / "rose.jpg").string());
    EXPECT_EQ(LoadPictureFile((dir / "rose.jpg").string(), 100, 50), TopLeft(whole, 100, 50));
    fs::remove_all(dir);
}

}  // namespace

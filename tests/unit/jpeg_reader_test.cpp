// The JPEG reader: libjpeg's default decode of the sample files, colour
// conversions, and which failures count as unreadable files and which as
// faulty data.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <vector>

#include <jpeglib.h>

#include "core/EditorError.h"
#include "io/JpegReader.h"
#include "io/PictureFile.h"
#include "io/PictureReadError.h"
#include "tests/unit/bmp_png_reference.h"

namespace fs = std::filesystem;

namespace {

const fs::path Samples = fs::path(TESSARO_TESTDATA) / "jpeg";

std::vector<std::uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t Find(const std::vector<std::uint8_t>& bytes, std::uint8_t marker, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) return i;
    return std::string::npos;
}

TEST(JpegReader, SamplesEqualTheReferenceDecode) {
    for (const char* name : {"testorig", "testimgint", "testimgari", "testorig-progressive", "testorig-truncated"}) {
        SCOPED_TRACE(name);
        const canvas::Picture picture = jpeg::Decode(Bytes(Samples / (std::string(name) + ".jpg")));
        const auto ref = ReadPng((Samples / "ref" / (std::string(name) + ".png")).string());
        ASSERT_TRUE(ref);
        EXPECT_EQ(CountDifferences(picture, *ref, 0), 0);
    }
}

TEST(JpegReader, UnreadableHeadersAreReadFailures) {
    EXPECT_THROW(jpeg::Decode(Bytes(Samples / "monkey12.jpg")), PictureReadError);  // 12-bit samples
    EXPECT_THROW(jpeg::Decode({}), PictureReadError);
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'};
    EXPECT_THROW(jpeg::Decode(text), PictureReadError);
    const auto whole = Bytes(Samples / "testorig.jpg");
    const std::size_t sos = Find(whole, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    // Cut anywhere before the first scan: the header is incomplete.
    for (std::size_t length : {std::size_t{2}, std::size_t{100}, sos}) {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_THROW(jpeg::Decode(cut), PictureReadError) << length;
    }
}

TEST(JpegReader, OversizedPicturesAreRefusedAfterTheHeader) {
    auto bytes = Bytes(Samples / "testorig.jpg");
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

// Faults that libjpeg finds only while decoding the image, after a good
// header, are not "unreadable file" but errors of their own.
TEST(JpegReader, FaultyDataAfterTheHeaderIsAnEditorError) {
    auto bytes = Bytes(Samples / "testorig-progressive.jpg");
    const std::size_t second = Find(bytes, 0xDA, Find(bytes, 0xDA) + 2);
    ASSERT_NE(second, std::string::npos);
    bytes[second + 8] = 0x50;  // spectral end past 63
    try {
        jpeg::Decode(bytes);
        FAIL() << "read";
    } catch (const PictureReadError& e) {
        FAIL() << "a read failure: " << e.what();
    } catch (const EditorError&) {
    }
}

// Repeated scans are only warnings to libjpeg; thousands of them would keep
// it busy for as long as the file is long.
TEST(JpegReader, EndlessScansAreStopped) {
    const auto original = Bytes(Samples / "testorig-progressive.jpg");
    std::size_t last = 0;
    for (std::size_t at = Find(original, 0xDA); at != std::string::npos; at = Find(original, 0xDA, at + 2)) last = at;
    const std::size_t eoi = Find(original, 0xD9, last);
    ASSERT_NE(eoi, std::string::npos);
    std::vector<std::uint8_t> bytes(original.begin(), original.begin() + static_cast<long>(eoi));
    for (int i = 0; i < 1100; ++i)
        bytes.insert(bytes.end(), original.begin() + static_cast<long>(last), original.begin() + static_cast<long>(eoi));
    bytes.insert(bytes.end(), {0xFF, 0xD9});
    EXPECT_THROW(jpeg::Decode(bytes), EditorError);
}

// A 16 x 16 picture of one colour, compressed here with libjpeg.
std::vector<std::uint8_t> Compress(J_COLOR_SPACE input, int components, const std::vector<std::uint8_t>& pixel,
                                   J_COLOR_SPACE stored) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = components;
    cinfo.in_color_space = input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, stored);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row;
    for (int x = 0; x < 16; ++x) row.insert(row.end(), pixel.begin(), pixel.end());
    while (cinfo.next_scanline < 16) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    return file;
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
    for (const char* path : {"map.jpg", "map.JPG", "dir/map.JpG", ".jpg", "a.b.jpg"}) EXPECT_TRUE(IsJpegPath(path)) << path;
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

}  // namespace

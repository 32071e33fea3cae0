// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture of the PNG suite through the reader: good files equal their
// 8-bit RGBA references (within one on 16-bit files), whole and for any
// top-left part, and load by the transparency rule; corrupt files (x*),
// truncated files and pictures past the limits are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <zlib.h>

#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "formats/Transparency.h"
#include "io/PictureFile.h"

namespace {

const std::filesystem::path Suite = std::filesystem::path(TESSARO_TESTDATA) / "pngsuite";

std::vector<std::uint8_t> Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> Names(bool corrupt) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Suite))
        if (entry.path().extension() == ".png" && (entry.path().stem().string()[0] == 'x') == corrupt)
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A Netpbm PAM of RGB_ALPHA, 8 bits.
struct Reference {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Reference ReadPam(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = Bytes(path);
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t end = text.find("ENDHDR\n");
    if (end == std::string::npos) throw std::runtime_error("not a PAM: " + path.string());
    Reference ref;
    ref.width = std::stoi(text.substr(text.find("WIDTH ") + 6));
    ref.height = std::stoi(text.substr(text.find("HEIGHT ") + 7));
    ref.rgba.assign(bytes.begin() + static_cast<std::ptrdiff_t>(end + 7), bytes.end());
    if (ref.rgba.size() != static_cast<std::size_t>(ref.width) * ref.height * 4) throw std::runtime_error("short PAM");
    return ref;
}

bool SixteenBits(const std::vector<std::uint8_t>& png) { return png.size() > 24 && png[24] == 16; }

// What the reader gives equals the reference: the same alpha, and the same
// colour wherever a pixel isn't fully transparent.
void ExpectLikeReference(const PictureWithAlpha& got, const Reference& ref, int tolerance, const std::string& what) {
    int wrong = 0;
    for (int y = 0; y < got.colours.Height() && wrong < 3; ++y)
        for (int x = 0; x < got.colours.Width() && wrong < 3; ++x) {
            const std::uint8_t* want = ref.At(x, y);
            const int alpha =
                got.HasTransparency() ? got.alpha[static_cast<std::size_t>(y) * got.colours.Width() + x] : 255;
            const canvas::Colour c = got.colours.GetPixel(x, y);
            const bool same = std::abs(alpha - want[3]) <= tolerance &&
                              (want[3] == 0 || (std::abs(canvas::RedOf(c) - want[0]) <= tolerance &&
                                                std::abs(canvas::GreenOf(c) - want[1]) <= tolerance &&
                                                std::abs(canvas::BlueOf(c) - want[2]) <= tolerance));
            if (!same) {
                ++wrong;
                ADD_FAILURE() << what << " at " << x << "," << y << ": got " << std::hex << c << " alpha " << alpha;
            }
        }
}

TEST(PngSuite, GoodFilesEqualTheirReferencesWholeAndInPart) {
    const std::vector<std::string> names = Names(false);
    ASSERT_GE(names.size(), 150u);
    for (const std::string& name : names) {
        const std::filesystem::path file = Suite / (name + ".png");
        const Reference ref = ReadPam(Suite / "ref" / (name + ".pam"));
        const int tolerance = SixteenBits(Bytes(file)) ? 1 : 0;
        const PictureWithAlpha whole = LoadPictureWithAlpha(file.string());
        ASSERT_EQ(whole.colours.Width(), ref.width) << name;
        ASSERT_EQ(whole.colours.Height(), ref.height) << name;
        ExpectLikeReference(whole, ref, tolerance, name);
        // A part decodes as the top-left of the whole, interlaced or not.
        for (const auto& [w, h] : {std::pair{1, 1}, std::pair{5, 3}, std::pair{16, 16}, std::pair{31, 7}}) {
            const PictureWithAlpha part = LoadPictureWithAlpha(file.string(), w, h);
            EXPECT_EQ(part.colours.Width(), std::min(w, ref.width)) << name;
            EXPECT_EQ(part.colours.Height(), std::min(h, ref.height)) << name;
            ExpectLikeReference(part, ref, tolerance, name + " part");
        }
    }
}

// Fully transparent pixels become T, partly transparent ones their colour
// over T, opaque ones stay; with T none, the chosen T is no opaque colour.
TEST(PngSuite, LoadsFollowTheTransparencyRule) {
    for (const std::string& name : Names(false)) {
        const std::filesystem::path file = Suite / (name + ".png");
        const Reference ref = ReadPam(Suite / "ref" / (name + ".pam"));
        const int tolerance = SixteenBits(Bytes(file)) ? 1 : 0;
        for (const std::optional<canvas::Colour> t :
             {std::optional<canvas::Colour>{}, std::optional{canvas::Rgb(0, 128, 255)}}) {
            const TransparencyResult got = ApplyTransparency(LoadPictureWithAlpha(file.string()), t);
            bool anyTransparent = false;
            for (std::size_t i = 3; i < ref.rgba.size(); i += 4) anyTransparent = anyTransparent || ref.rgba[i] != 255;
            EXPECT_EQ(got.chosen, !t && anyTransparent) << name;
            if (!got.transparent) continue;
            const canvas::Colour over = *got.transparent;
            for (int y = 0; y < ref.height; ++y)
                for (int x = 0; x < ref.width; ++x) {
                    const std::uint8_t* p = ref.At(x, y);
                    const canvas::Colour c = got.picture.GetPixel(x, y);
                    if (t == std::nullopt && p[3] == 255) {
                        EXPECT_NE(c, over) << name << " " << x << "," << y;
                    }
                    for (int k = 0; k < 3; ++k) {
                        const int component = k == 0   ? canvas::RedOf(c)
                                              : k == 1 ? canvas::GreenOf(c)
                                                       : canvas::BlueOf(c);
                        const int under = k == 0   ? canvas::RedOf(over)
                                          : k == 1 ? canvas::GreenOf(over)
                                                   : canvas::BlueOf(over);
                        const double want = std::round((p[k] * p[3] + under * (255.0 - p[3])) / 255.0);
                        ASSERT_LE(std::abs(component - want), tolerance + (p[3] % 255 ? 1 : 0))
                            << name << " " << x << "," << y;
                    }
                }
        }
    }
}

TEST(PngSuite, CorruptFilesAreRefusedWholeAndForASheet) {
    const std::vector<std::string> names = Names(true);
    ASSERT_GE(names.size(), 14u);
    for (const std::string& name : names) {
        const std::string file = (Suite / (name + ".png")).string();
        EXPECT_THROW(LoadPictureWithAlpha(file), PictureReadError) << name;
        EXPECT_THROW(LoadPictureWithAlpha(file, 480, 256), PictureReadError) << name;
    }
}

// Every shorter piece of a file is refused when the whole picture is asked
// for: a cut anywhere in the headers, the image data or the end chunk. Only
// the end chunk's own checksum may be missing: the picture is whole then.
TEST(PngSuite, TruncatedFilesAreRefused) {
    for (const char* name : {"basn2c08", "basi6a16", "basn3p04", "tbbn3p08"}) {
        const std::vector<std::uint8_t> bytes = Bytes(Suite / (std::string(name) + ".png"));
        for (std::size_t cut = 0; cut + 4 < bytes.size(); ++cut)
            EXPECT_THROW(png::Decode(std::span(bytes.data(), cut)), PictureReadError) << name << " cut at " << cut;
    }
}

// A header claiming more than the limits is refused before the picture is
// allocated: one, since the data can't hold such a picture, would be
// refused later anyway; these fail at once, even with a sheet-sized part.
TEST(PngSuite, PicturesPastTheLimitsAreRefused) {
    auto withSize = [](std::uint32_t w, std::uint32_t h) {
        std::vector<std::uint8_t> bytes = Bytes(Suite / "basn2c08.png");
        for (int i = 0; i < 4; ++i) {
            bytes[16 + i] = static_cast<std::uint8_t>(w >> (24 - 8 * i));
            bytes[20 + i] = static_cast<std::uint8_t>(h >> (24 - 8 * i));
        }
        const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17));
        for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        return bytes;
    };
    // Refused as not a picture the editor takes, as BMP and JPEG files are:
    // the load-failure message, not the one for work past a budget.
    for (const auto& [w, h] : {std::pair{40000u, 1u}, {1u, 40000u}, {30000u, 30000u}}) {
        try {
            png::Decode(withSize(w, h), 480, 256);
            ADD_FAILURE() << w << "x" << h << " loaded";
        } catch (const PictureReadError& e) {
            EXPECT_EQ(e.Reason(), PictureReadReason::NotAPicture) << w << "x" << h;
        }
    }
    // Within the limits, the header is good and only the data are short.
    EXPECT_THROW(png::Decode(withSize(64, 64)), PictureReadError);
}

}  // namespace

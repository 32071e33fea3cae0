// SPDX-License-Identifier: GPL-3.0-or-later
// The 24-bit writer: the exact file layout, and save-then-read round trips
// for the widths whose rows need padding.
#include <gtest/gtest.h>

#include <vector>

#include "formats/BmpWriter.h"
#include "formats/PictureReaders.h"

namespace {

canvas::Picture Sample(int width, int height) {
    canvas::Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.SetPixel(x, y, canvas::Rgb(x * 40 + 1, y * 70 + 2, (x * 13 + y * 29) & 0xFF));
    return p;
}

void Le(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

TEST(BmpWriter, TwoByTwoFileIsExactlyTheFormat) {
    canvas::Picture p(2, 2);
    p.SetPixel(0, 0, canvas::Rgb(1, 2, 3));
    p.SetPixel(1, 0, canvas::Rgb(4, 5, 6));
    p.SetPixel(0, 1, canvas::Rgb(7, 8, 9));
    p.SetPixel(1, 1, canvas::Rgb(10, 11, 12));

    std::vector<std::uint8_t> expected = {'B', 'M'};
    Le(expected, 54 + 2 * 8, 4);  // two rows of 6 bytes padded to 8
    Le(expected, 0, 4);
    Le(expected, 54, 4);
    for (std::uint32_t v : {40u, 2u, 2u}) Le(expected, v, 4);
    Le(expected, 1, 2);
    Le(expected, 24, 2);
    for (int i = 0; i < 6; ++i) Le(expected, 0, 4);
    // Bottom row first, blue green red per pixel.
    for (int v : {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0}) expected.push_back(static_cast<std::uint8_t>(v));

    EXPECT_EQ(bmp::Encode24(p), expected);
}

TEST(BmpWriter, EveryPaddingWidthReadsBackUnchanged) {
    for (int width = 1; width <= 5; ++width)
        for (int height = 1; height <= 3; ++height) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            const canvas::Picture p = Sample(width, height);
            const std::vector<std::uint8_t> file = bmp::Encode24(p);
            const std::size_t stride = (width * 3 + 3) / 4 * 4;
            ASSERT_EQ(file.size(), 54 + stride * height);
            EXPECT_EQ(file[2] | file[3] << 8 | file[4] << 16 | file[5] << 24, static_cast<int>(file.size()));
            for (int row = 0; row < height; ++row)
                for (std::size_t pad = width * 3; pad < stride; ++pad) EXPECT_EQ(file[54 + row * stride + pad], 0);
            EXPECT_EQ(bmp::Decode(file), p);
        }
}

TEST(BmpWriter, WholeSheetRoundTrip) {
    const canvas::Picture sheet = Sample(480, 256);
    const std::vector<std::uint8_t> file = bmp::Encode24(sheet);
    EXPECT_EQ(file.size(), 54u + 480 * 3 * 256);
    EXPECT_EQ(bmp::Decode(file), sheet);
}

}  // namespace

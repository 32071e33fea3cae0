// SPDX-License-Identifier: GPL-3.0-or-later
// The list of pixels outside the fixed table starts with the pixel that the
// 256-colour writer refuses, counts every one, and stops listing at the limit.
#include <gtest/gtest.h>

#include <random>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/PaletteBmp.h"
#include "tests/support/FakePlatform.h"

TEST(OffTablePixels, FirstIsTheWritersRefusalAndCountIsEveryOne) {
    FakePlatform platform;
    EditorForm form(platform);
    form.BuildFixedPalette();
    std::mt19937 random(5);
    for (int round = 0; round < 50; ++round) {
        const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 20);
        canvas::Picture picture(w, h);
        std::size_t expected = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // Mostly table colours (multiples of 51), in runs, some off it.
                const bool off = random() % 7 == 0;
                const int v = off ? 1 + static_cast<int>(random() % 50) : 51 * static_cast<int>(random() % 6);
                picture.SetPixel(x, y, canvas::Rgb(v, v % 2 ? 0 : v, 0));
                if (off) ++expected;
            }
        std::optional<canvas::Point> refused;
        palette_bmp::Build256ColourBmp(picture, form.Palette256, refused);
        std::size_t count = 0;
        const auto listed = palette_bmp::OffTablePixels(picture, form.Palette256, 3, count);
        EXPECT_EQ(count, expected);
        EXPECT_EQ(listed.size(), std::min<std::size_t>(3, expected));
        EXPECT_EQ(refused.has_value(), !listed.empty());
        if (refused && !listed.empty()) {
            EXPECT_EQ(*refused, listed.front());
        }
    }
}

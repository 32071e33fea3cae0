// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "io/PreferencesFile.h"

namespace {

Preferences RandomPreferences(std::mt19937& random) {
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    Preferences p;
    ForEachOption(p.options, [&](const char*, auto& field, int lo, int hi) {
        field = static_cast<std::remove_cvref_t<decltype(field)>>(pick(lo, hi));
    });
    p.undoLimit = pick(1, 256);
    p.undoMemoryMiB = pick(1, History::MaxMemoryMiB);
    p.boardZoom = pick(1, 4);
    p.sheet.chipSize = pick(sheet::MinChipSize, sheet::MaxChipSize);
    p.sheet.cols = pick(1, std::min(sheet::MaxCols, sheet::MaxSide / p.sheet.chipSize));
    p.sheet.rows = pick(1, std::min(sheet::MaxRows, sheet::MaxSide / p.sheet.chipSize));
    const char* names[] = {"", "/home/a/p.gpl", "C:\\Users\\Ünal\\my pal=1.hex", "/tmp/#x.act"};
    p.userPaletteFile = names[pick(0, 3)];
    if (pick(0, 1)) p.tileWindow = WindowPlace{pick(-3000, 3000), pick(-3000, 3000)};
    if (pick(0, 1)) p.boardWindow = WindowPlace{pick(-3000, 3000), pick(-3000, 3000)};
    return p;
}

}  // namespace

TEST(PreferencesFile, WhatIsWrittenReadsBackEqualAndDamageIsNoticed) {
    std::mt19937 random(4);
    for (int round = 0; round < 200; ++round) {
        const Preferences p = RandomPreferences(random);
        const std::optional<Preferences> back = preferences::Decode(preferences::Encode(p), Preferences{});
        ASSERT_TRUE(back.has_value()) << preferences::Encode(p);
        EXPECT_TRUE(*back == p) << preferences::Encode(p);
    }
    // Keys a later version writes are passed over; missing keys keep the base.
    Preferences base;
    base.undoLimit = 7;
    const auto later = preferences::Decode("# note\r\nkeys=on\nfuture=3\n", base);
    ASSERT_TRUE(later.has_value());
    EXPECT_TRUE(later->options.keys);
    EXPECT_EQ(later->undoLimit, 7);
    using namespace std::string_literals;
    for (const std::string& damaged :
         {"keys=yes\n"s, "keys\n"s, "tileZoom=9\n"s, "undo=0\n"s, "undomemory=4097\n"s, "tilewindow=1;2\n"s,
          "boardzoom=2x\n"s, "keys=on\n\0\n"s, "sheet=30*16\n"s, "chip=64\nsheet=33x2\n"s})
        EXPECT_FALSE(preferences::Decode(damaged, base).has_value()) << damaged;
    // A palette name that would break its line is not kept.
    Preferences broken;
    broken.userPaletteFile = "/tmp/a\nkeys=on";
    EXPECT_EQ(preferences::Decode(preferences::Encode(broken), Preferences{})->userPaletteFile, "");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Duplicates of a sheet's chips: every orientation of a random chip is found
// as a copy of it and laid back onto it pixel for pixel; empty chips are
// none; a changed chip is seen through its version.
#include <gtest/gtest.h>

#include <random>

#include "core/ChipDuplicates.h"

namespace {

canvas::Picture RandomChip(int side, std::mt19937& random) {
    canvas::Picture chip(side, side);
    // Few colours, so that chips of one colour in places come up too.
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) chip.SetPixel(x, y, canvas::Rgb(0, 0, static_cast<int>(random() % 4) * 60 + 1));
    return chip;
}

TEST(ChipDuplicatesTest, EveryOrientationOfARandomChipMapsBackToIt) {
    std::mt19937 random(39);
    for (const int side : {8, 11, 16, 64}) {
        for (int round = 0; round < 20; ++round) {
            SheetDocument sheet;
            sheet.Reshape({side, 5, 4});
            const canvas::Picture original = RandomChip(side, random);
            sheet.ChangeChip(0, 0) = original;
            for (int k = 0; k < canvas::OrientationCount; ++k)
                sheet.ChangeChip((k + 1) % 5, (k + 1) / 5) = canvas::Oriented(original, canvas::AllOrientations[k]);
            sheet.ChangeChip(4, 3) = RandomChip(side, random);  // another chip, found as no copy
            const duplicates::Report report = duplicates::Find(sheet);
            for (int k = 0; k < canvas::OrientationCount; ++k) {
                const duplicates::ChipMatch& m = report.chips[static_cast<std::size_t>(k + 1)];
                ASSERT_TRUE(m.kind == duplicates::Kind::Exact || m.kind == duplicates::Kind::Oriented);
                EXPECT_EQ(m.shapeFirst, 0);
                const canvas::Picture& copy = sheet.Chip((k + 1) % 5, (k + 1) / 5);
                EXPECT_EQ(canvas::Oriented(original, m.orientation), copy) << "side " << side << ", k " << k;
                EXPECT_EQ(canvas::Oriented(sheet.Chip(m.First() % 5, m.First() / 5), m.FirstOrientation()), copy);
            }
            EXPECT_EQ(report.At(4, 3).kind, duplicates::Kind::Unique);
            EXPECT_EQ(report.uniqueOriented, 2);
            EXPECT_EQ(report.empty, 20 - 10);
        }
    }
}

TEST(ChipDuplicatesTest, EmptyChipsAreNoCopiesAndChangesAreSeen) {
    SheetDocument sheet;
    sheet.Reshape({16, 4, 1});
    sheet.TransparentColor = canvas::Rgb(255, 0, 255);
    sheet.ChangeChip(1, 0).SetBrushColour(canvas::Rgb(255, 0, 255));
    sheet.ChangeChip(1, 0).FillRect({0, 0, 16, 16});
    sheet.ChangeChip(2, 0).SetPixel(3, 4, canvas::White);
    sheet.ChangeChip(3, 0).SetPixel(3, 4, canvas::White);
    duplicates::Finder finder;
    const duplicates::Report& report = finder.Update(sheet);
    EXPECT_EQ(report.empty, 2);
    EXPECT_EQ(report.At(3, 0).kind, duplicates::Kind::Exact);
    EXPECT_EQ(report.At(3, 0).exactFirst, 2);
    // The copy mirrored: now a copy up to orientation only.
    sheet.ChangeChip(3, 0) = canvas::Oriented(sheet.Chip(2, 0), canvas::Orientation::Horizontal);
    EXPECT_EQ(finder.Update(sheet).At(3, 0).kind, duplicates::Kind::Oriented);
    EXPECT_EQ(finder.Update(sheet).uniqueExact, 2);
    // Without a transparent colour the magenta chip is a chip like any other.
    sheet.TransparentColor.reset();
    EXPECT_EQ(finder.Update(sheet).empty, 1);
}

}  // namespace

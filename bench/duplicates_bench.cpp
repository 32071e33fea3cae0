// SPDX-License-Identifier: GPL-3.0-or-later
// Duplicate chips: finding them up to orientation among the 480 chips of
// the default sheet and among 4,096 chips of 8 x 8, all hashed anew each
// time (the finder's cache kept from nothing); a 256 x 256 map rewritten to
// the packed sheet, to the text of its file.

#include <benchmark/benchmark.h>

#include <random>

#include "core/ChipDuplicates.h"
#include "core/TryOutBoard.h"
#include "io/DedupedMap.h"

namespace {

// A quarter of the chips drawn at random, the rest copies of them in every
// orientation and a few black.
SheetDocument SheetWithCopies(const SheetGeometry& g) {
    SheetDocument sheet;
    sheet.Reshape(g);
    std::mt19937 random(480);
    std::vector<canvas::Picture> drawn;
    for (int n = 0; n < g.ChipCount(); ++n) {
        canvas::Picture& chip = sheet.ChangeChip(n % g.cols, n / g.cols);
        if (n % 4 == 0 || drawn.empty()) {
            for (int y = 0; y < g.chipSize; ++y)
                for (int x = 0; x < g.chipSize; ++x) chip.SetPixel(x, y, random() % 8 * 0x1F1F1F);
            drawn.push_back(chip);
        } else if (n % 29 != 0) {
            chip = canvas::Oriented(drawn[random() % drawn.size()], canvas::AllOrientations[random() % 8]);
        }
    }
    return sheet;
}

void Find(benchmark::State& state, const SheetGeometry& g) {
    const SheetDocument sheet = SheetWithCopies(g);
    for (auto _ : state) {
        const duplicates::Report report = duplicates::Find(sheet);
        benchmark::DoNotOptimize(report.uniqueOriented);
    }
}

void DuplicatesFind480(benchmark::State& state) { Find(state, sheet::Default); }
BENCHMARK(DuplicatesFind480)->Unit(benchmark::kMillisecond);

void DuplicatesFind4096Of8(benchmark::State& state) { Find(state, {8, 64, 64}); }
BENCHMARK(DuplicatesFind4096Of8)->Unit(benchmark::kMillisecond);

// The finder after one chip changed: the marks' work at the end of an edit.
void DuplicatesFollowOneChange(benchmark::State& state) {
    SheetDocument sheet = SheetWithCopies(sheet::Default);
    duplicates::Finder finder;
    finder.Update(sheet);
    int step = 0;
    for (auto _ : state) {
        sheet.ChangeChip(3, 2).SetPixel(step % 16, 5, static_cast<canvas::Colour>(step));
        ++step;
        benchmark::DoNotOptimize(finder.Update(sheet).uniqueOriented);
    }
}
BENCHMARK(DuplicatesFollowOneChange)->Unit(benchmark::kMicrosecond);

void DuplicatesMapRewrite256(benchmark::State& state) {
    const SheetDocument sheet = SheetWithCopies(sheet::Default);
    const duplicates::Packing packing = duplicates::Pack(sheet, duplicates::Find(sheet), false);
    constexpr int Side = TryOutBoard::MaxSide;
    std::vector<tiled::MapCell> cells(Side * Side);
    std::mt19937 random(256);
    for (tiled::MapCell& cell : cells) cell = {static_cast<int>(random() % 480), canvas::AllOrientations[random() % 8]};
    const tiled::SheetShape shape{16, 30, 16, Side};
    for (auto _ : state) {
        const std::string text = tiled::MapText(Side, Side, DedupedCells(cells, packing), shape, "once.tsx");
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(DuplicatesMapRewrite256)->Unit(benchmark::kMillisecond);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas operations on the editor's hot paths: pen cells in the edit area,
// the ellipse and line tools on a chip, fills, and the copies that Relayout,
// DrawChip and RefreshEditArea make.

#include <benchmark/benchmark.h>

#include "canvas/Picture.h"

namespace {

using canvas::Picture;
using canvas::Point;
using canvas::Rect;

Picture Chip() {
    Picture chip(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) chip.SetPixel(x, y, canvas::Rgb(x * 16, y * 16, (x ^ y) * 16));
    return chip;
}

void CanvasFillRectCell(benchmark::State& state) {
    Picture edit(161, 161);
    int i = 0;
    for (auto _ : state) {
        const int x = (i % 16) * 10 + 1, y = (i / 16 % 16) * 10 + 1;
        edit.SetBrushColour(static_cast<canvas::Colour>(i));
        edit.FillRect(Rect{x, y, x + 9, y + 9});
        ++i;
    }
    benchmark::DoNotOptimize(edit.GetPixel(1, 1));
}
BENCHMARK(CanvasFillRectCell);

void CanvasEllipse16(benchmark::State& state) {
    Picture chip(16, 16);
    for (auto _ : state) {
        chip.Ellipse(0, 0, 16, 16);
        benchmark::DoNotOptimize(chip.GetPixel(8, 8));
    }
}
BENCHMARK(CanvasEllipse16);

void CanvasLine16(benchmark::State& state) {
    Picture chip(16, 16);
    for (auto _ : state) {
        chip.Polyline(Point{0, 3}, Point{16, 12});
        benchmark::DoNotOptimize(chip.GetPixel(8, 8));
    }
}
BENCHMARK(CanvasLine16);

void FloodFillBench(benchmark::State& state, int width, int height, bool wrapped) {
    Picture picture(width, height);
    canvas::Colour colours[2] = {canvas::Black, canvas::White};
    int i = 0;
    for (auto _ : state) {
        // Each round fills the whole picture with the other colour.
        picture.SetBrushColour(colours[(i + 1) % 2]);
        if (wrapped)
            picture.FloodFillSurfaceWrapped(width / 2, height / 2, colours[i % 2]);
        else
            picture.FloodFillSurface(width / 2, height / 2, colours[i % 2]);
        ++i;
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}
void CanvasFloodFillChip(benchmark::State& state) { FloodFillBench(state, 16, 16, false); }
void CanvasFloodFillSheet(benchmark::State& state) { FloodFillBench(state, 480, 256, false); }
void CanvasFloodFillChipWrapped(benchmark::State& state) { FloodFillBench(state, 16, 16, true); }
void CanvasFloodFillSheetWrapped(benchmark::State& state) { FloodFillBench(state, 480, 256, true); }
BENCHMARK(CanvasFloodFillChip);
BENCHMARK(CanvasFloodFillSheet);
BENCHMARK(CanvasFloodFillChipWrapped);
BENCHMARK(CanvasFloodFillSheetWrapped);

void CanvasDrawChip(benchmark::State& state) {
    const Picture chip = Chip();
    Picture sheet(481, 257);
    int i = 0;
    for (auto _ : state) {
        sheet.Draw((i % 30) * 16, (i / 30 % 16) * 16, chip);
        ++i;
    }
    benchmark::DoNotOptimize(sheet.GetPixel(0, 0));
}
BENCHMARK(CanvasDrawChip);

void CanvasStretchDrawZoom10(benchmark::State& state) {
    const Picture chip = Chip();
    Picture edit(161, 161);
    for (auto _ : state) {
        edit.StretchDraw(Rect{0, 0, 160, 160}, chip);
        benchmark::DoNotOptimize(edit.GetPixel(80, 80));
    }
}
BENCHMARK(CanvasStretchDrawZoom10);

void CanvasCopyRectChip(benchmark::State& state) {
    Picture sheet(480, 256);
    sheet.Draw(32, 16, Chip());
    Picture chip(16, 16);
    for (auto _ : state) {
        chip.CopyRect(Rect{0, 0, 16, 16}, sheet, Rect{32, 16, 48, 32});
        benchmark::DoNotOptimize(chip.GetPixel(0, 0));
    }
}
BENCHMARK(CanvasCopyRectChip);

}  // namespace

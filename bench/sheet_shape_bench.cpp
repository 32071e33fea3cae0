// SPDX-License-Identifier: GPL-3.0-or-later
// Sheets of other shapes: a pen drag at 48-pixel chips, and laying out a
// sheet of 2048 x 2048 pixels (64 x 64 chips of 32).

#include <benchmark/benchmark.h>

#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};

void SheetShapePenMove48(benchmark::State& state) {
    StartedEditor editor;
    editor->MakeNewSheet({48, 16, 12});
    editor->Click(ControlId::mPSize4);
    editor->ChooseChip(7, 5);
    const int side = editor->EditI.Width() - 1;
    int step = 0;
    for (auto _ : state) {
        // A diagonal drag across the whole edit area, over and over.
        const int p = (step++ * 7) % side;
        editor->EditIMouseMove(LeftOnly, p, side - 1 - p);
        benchmark::DoNotOptimize(editor->EditI.GetPixel(p, p));
    }
}
BENCHMARK(SheetShapePenMove48);

void SheetShapeRelayout2048(benchmark::State& state) {
    StartedEditor editor;
    editor->MakeNewSheet({32, 64, 64});
    for (auto _ : state) {
        editor->Relayout(32, 64, 64);
        benchmark::DoNotOptimize(editor->ScreenI.GetPixel(100, 100));
    }
}
BENCHMARK(SheetShapeRelayout2048)->Unit(benchmark::kMillisecond);

}  // namespace

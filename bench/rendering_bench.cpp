// SPDX-License-Identifier: GPL-3.0-or-later
// The redraws of the editor on the default sheet: the full layout and the
// composed sheet walk all 480 chips; a chip redraw and the edit-area refresh
// touch one chip.

#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/StartedEditor.h"

namespace {

// A started editor whose chips hold a pattern rather than plain black.
struct Editor : StartedEditor {
    Editor() {
        PaintPattern();
        form->CurCol = 12;
        form->CurRow = 7;
    }
};

void RenderingRelayout(benchmark::State& state) {
    Editor editor;
    editor.form->Def.SheetGridShown = state.range(0) != 0;
    for (auto _ : state) {
        editor.form->Relayout(16, 30, 16);
        benchmark::DoNotOptimize(editor.form->ScreenI.GetPixel(200, 100));
    }
}
BENCHMARK(RenderingRelayout)->Arg(1)->Arg(0)->ArgName("frame");

void RenderingComposeSheet(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor.form->ComposeSheet();
        benchmark::DoNotOptimize(editor.form->SheetImage.GetPixel(200, 100));
    }
}
BENCHMARK(RenderingComposeSheet);

void RenderingRefreshEditArea(benchmark::State& state) {
    Editor editor;
    editor.form->mZoomClick(static_cast<ControlId>(static_cast<int>(ControlId::mZoom2) + state.range(0) - 2));
    for (auto _ : state) {
        editor.form->RefreshEditArea();
        benchmark::DoNotOptimize(editor.form->EditI.GetPixel(20, 20));
    }
}
BENCHMARK(RenderingRefreshEditArea)->Arg(5)->Arg(10)->ArgName("zoom");

void RenderingDrawChip(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor.form->DrawChip(12, 7, true);
        benchmark::DoNotOptimize(editor.form->ScreenI.GetPixel(200, 120));
    }
}
BENCHMARK(RenderingDrawChip);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The editing handlers as the user drives them: a pen drag at the largest
// zoom and pen, the rubber band of the ellipse and the line, a fill, a
// transform, choosing a chip on the sheet, memorising and replaying.

#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};

// A started editor with patterned chips, editing chip (12, 7).
struct Editor : StartedEditor {
    Editor() {
        PaintPattern();
        ChooseChip();
    }
};

void EditingPenMove(benchmark::State& state) {
    Editor editor;
    editor->Click(ControlId::mZoom10);
    editor->Click(ControlId::mPSize4);
    int step = 0;
    for (auto _ : state) {
        // A diagonal drag across the whole edit area, over and over.
        const int p = (step++ * 7) % 160;
        editor->EditIMouseMove(LeftOnly, p, 159 - p);
        benchmark::DoNotOptimize(editor->EditI.GetPixel(p, p));
    }
}
BENCHMARK(EditingPenMove);

void EditingRubberBand(benchmark::State& state) {
    Editor editor;
    editor->Click(state.range(0) ? ControlId::CircleB : ControlId::LineB);
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 12, 70);
    int step = 0;
    for (auto _ : state) {
        const int p = (step++ * 3) % 80;
        editor->EditIMouseMove(ShiftState{}, 79 - p, p);
        benchmark::DoNotOptimize(editor->EditI.GetPixel(p, p));
    }
}
BENCHMARK(EditingRubberBand)->Arg(1)->Arg(0)->ArgName("ellipse");

void EditingFillPress(benchmark::State& state) {
    Editor editor;
    editor->Click(ControlId::FillB);
    // Fill the chip with one colour first, so that every press floods it all.
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 40, 40);
    bool left = false;
    for (auto _ : state) {
        editor->EditIMouseDown(MouseButton::Left, left ? LeftOnly : RightOnly, 40, 40);
        left = !left;
        benchmark::DoNotOptimize(editor->EditI.GetPixel(40, 40));
    }
}
BENCHMARK(EditingFillPress);

void EditingTransform(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor->MoveMenuClick(ControlId::XYMenu);
        benchmark::DoNotOptimize(editor->EditI.GetPixel(40, 40));
    }
}
BENCHMARK(EditingTransform);

void EditingChooseChip(benchmark::State& state) {
    Editor editor;
    int slot = 0;
    for (auto _ : state) {
        slot = (slot + 37) % sheet::Default.ChipCount();
        editor->ScreenIMouseDown(MouseButton::Left, LeftOnly, (slot % 30) * 16 + 5, (slot / 30) * 16 + 5);
        benchmark::DoNotOptimize(editor->EditI.GetPixel(40, 40));
    }
}
BENCHMARK(EditingChooseChip);

void EditingMemorise(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor->MemoriseSnapshot();
        benchmark::DoNotOptimize(editor->MemorySnapshot.MemSheetImage.GetPixel(200, 100));
    }
}
BENCHMARK(EditingMemorise);

void EditingReplay(benchmark::State& state) {
    Editor editor;
    editor->MemoriseSnapshot();
    for (auto _ : state) {
        editor.platform.questionAnswers.push_back(true);
        editor->ReplaySnapshot();
        editor.platform.shown.clear();
        benchmark::DoNotOptimize(editor->ScreenI.GetPixel(200, 100));
    }
}
BENCHMARK(EditingReplay);

}  // namespace

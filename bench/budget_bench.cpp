// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's handlers on its hot paths, each at the settings its time
// budget is set for: the default sheet (30 x 16 chips of 16 pixels, frame
// and edit-area lines shown), zoom 10 and pen width 4. Every benchmark here is
// one whole handler as the window calls it, views included.

#include <benchmark/benchmark.h>

#include <memory>

#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};

// A started editor at zoom 10 with pen width 4, editing chip (12, 7).
struct Editor : StartedEditor {
    Editor() {
        form->Click(ControlId::mZoom10);
        form->Click(ControlId::mPSize4);
        ChooseChip();
    }
};

// Edit-area positions of the centres of the chip's pixels, visited in an
// order that moves the pen one to three pixels at a time across the chip.
int EditPosition(int step) { return (step * 3 % 16) * 10 + 5; }

void BudgetPenMove(benchmark::State& state) {
    Editor editor;
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 5, 5);
    int step = 0;
    for (auto _ : state) {
        editor->EditIMouseMove(LeftOnly, EditPosition(step), EditPosition(step / 16));
        ++step;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetPenMove);

// The ellipse or line waits for its second corner; each move shows the shape
// to the pointer and puts the chip back.
void BudgetRubberBandMove(benchmark::State& state) {
    Editor editor;
    editor->Click(state.range(0) == 0 ? ControlId::CircleB : ControlId::LineB);
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 15, 25);
    int step = 0;
    for (auto _ : state) {
        editor->EditIMouseMove(LeftOnly, EditPosition(step), EditPosition(step + 5));
        ++step;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetRubberBandMove)->Arg(0)->Arg(1)->ArgNames({"line"});

// Each press floods the whole chip with the other button's colour.
void BudgetFillPress(benchmark::State& state) {
    Editor editor;
    editor->Click(ControlId::FillB);
    bool left = true;
    for (auto _ : state) {
        editor->EditIMouseDown(left ? MouseButton::Left : MouseButton::Right, left ? LeftOnly : RightOnly, 75, 75);
        left = !left;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetFillPress);

void BudgetTransform(benchmark::State& state) {
    Editor editor;
    const auto item = static_cast<ControlId>(state.range(0));
    for (auto _ : state) editor->MoveMenuClick(item);
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetTransform)
    ->ArgName("item")
    ->Arg(static_cast<int>(ControlId::UpMenu))
    ->Arg(static_cast<int>(ControlId::LeftMenu))
    ->Arg(static_cast<int>(ControlId::XYMenu))
    ->Arg(static_cast<int>(ControlId::UpsetMenu))
    ->Arg(static_cast<int>(ControlId::VrevMenu));

// A left press on another chip of the sheet view each time.
void BudgetChooseChip(benchmark::State& state) {
    Editor editor;
    int chip = 0;
    for (auto _ : state) {
        const int col = chip % 30, row = chip / 30 % 16;
        editor->ScreenIMouseDown(MouseButton::Left, LeftOnly, col * 16 + 8, row * 16 + 8);
        chip += 7;
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetChooseChip);

void BudgetRelayout(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) editor->Relayout(16, 30, 16);
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetRelayout);

// The zoom changes between 9 and 10; each change lays the whole sheet out.
void BudgetZoomChange(benchmark::State& state) {
    Editor editor;
    bool ten = false;
    for (auto _ : state) {
        editor->Click(ten ? ControlId::mZoom10 : ControlId::mZoom9);
        ten = !ten;
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetZoomChange);

// The undo of a chip edit; the copy it restores costs one chip to take.
void BudgetUndo(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) {
        editor->TakeUndoCopy();
        editor->Click(ControlId::UndoMenu);
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetUndo);

void BudgetMemorise(benchmark::State& state) {
    Editor editor;
    for (auto _ : state) editor->Click(ControlId::MemSaveB);
    benchmark::DoNotOptimize(editor->MemorySnapshot.MemSheetImage.GetPixel(5, 5));
}
BENCHMARK(BudgetMemorise);

// The replay once its question is answered with OK: the answer is ready
// before the click, so no time is spent waiting for it.
void BudgetReplay(benchmark::State& state) {
    Editor editor;
    editor->Click(ControlId::MemSaveB);
    for (auto _ : state) {
        editor.platform.questionAnswers.push_back(true);
        editor->Click(ControlId::MemLoadB);
        editor.platform.shown.clear();
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetReplay);

}  // namespace

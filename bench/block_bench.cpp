// SPDX-License-Identifier: GPL-3.0-or-later
// Block editing on its hot paths: the largest block (4 x 4 chips, zoom 2 in
// the fixed window) with pen width 4, the sheet frame and the edit area's
// lines shown. Each is one whole handler, views included, held to the budget
// of the same handler on one chip.

#include <benchmark/benchmark.h>

#include "edit/EditorForm.h"
#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};

// A started editor with a 4 x 4 block at chip (12, 7) and pen width 4.
struct BlockEditor : StartedEditor {
    BlockEditor() {
        form->Click(ControlId::mPSize4);
        form->Options.blockCols = form->Options.blockRows = EditorOptions::MaxBlockSide;
        form->Click(ControlId::BlockMenu);
        ChooseChip();
    }
};

// Edit-area positions of the centres of the block's pixels, one to three
// pixels apart, so that the pen crosses chip borders.
int BlockPosition(const EditorForm& form, int step) { return (step * 3 % 64) * form.EditZoom() + 1; }

// Budget: a pen move, 20 µs.
void BudgetBlockPenMove(benchmark::State& state) {
    BlockEditor editor;
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 1, 1);
    int step = 0;
    for (auto _ : state) {
        editor->EditIMouseMove(LeftOnly, BlockPosition(*editor, step), BlockPosition(*editor, step / 64));
        ++step;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetBlockPenMove);

// Budget: a rubber-band move, 50 µs. The line's second point moves across
// the block.
void BudgetBlockRubberBandMove(benchmark::State& state) {
    BlockEditor editor;
    editor->Click(ControlId::LineB);
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 1, 1);
    int step = 0;
    for (auto _ : state) {
        editor->EditIMouseMove({}, BlockPosition(*editor, step), BlockPosition(*editor, step / 64));
        ++step;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetBlockRubberBandMove);

// Budget: a fill press, 100 µs; the two colours take turns so that every
// press fills the whole block.
void BudgetBlockFillPress(benchmark::State& state) {
    BlockEditor editor;
    editor->Click(ControlId::FillB);
    bool left = true;
    for (auto _ : state) {
        editor->EditIMouseDown(MouseButton::Left, ShiftState{left ? ShiftKey::Left : ShiftKey::Right}, 1, 1);
        left = !left;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetBlockFillPress);

}  // namespace

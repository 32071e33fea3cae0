// SPDX-License-Identifier: GPL-3.0-or-later
// The extension options on their hot paths, at the budget settings (zoom 10,
// pen width 4, the default sheet): undo and redo with a full history of 256
// steps, a pen move of a joined stroke, and the recovery copy's part on the
// window's thread.

#include <benchmark/benchmark.h>

#include "edit/EditorForm.h"
#include "io/RecoveryRecord.h"
#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};

struct Editor : StartedEditor {
    Editor() {
        form->Click(ControlId::mZoom10);
        form->Click(ControlId::mPSize4);
        ChooseChip();
    }
};

// 256 fills over chips across the sheet: a full history, each step of
// another chip.
void FillHistory(EditorForm& form) {
    form.SetUndoLimit(History::MaxLimit);
    form.Click(ControlId::FillB);
    for (int i = 0; i < History::MaxLimit; ++i) {
        form.ScreenIMouseDown(MouseButton::Left, LeftOnly, (i % 30) * 16 + 3, (i / 30 % 16) * 16 + 3);
        form.EditIMouseDown(MouseButton::Left, i % 2 ? LeftOnly : ShiftState{ShiftKey::Right}, 5, 5);
    }
}

// One undo, then one redo, in turn: each iteration is one of them, so the
// time per iteration is the time of one undo or one redo.
void BudgetHistoryUndoRedo(benchmark::State& state) {
    Editor editor;
    editor.PaintPattern();
    FillHistory(*editor);
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            editor->Click(ControlId::UndoMenu);
        else
            editor->Click(ControlId::RedoMenu);
        undo = !undo;
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(5, 5));
}
BENCHMARK(BudgetHistoryUndoRedo);

// A step recorded as a change begins (a fill press with the history full).
void BudgetHistoryFillPress(benchmark::State& state) {
    Editor editor;
    FillHistory(*editor);
    editor->ScreenIMouseDown(MouseButton::Left, LeftOnly, 12 * 16 + 3, 7 * 16 + 3);
    bool left = true;
    for (auto _ : state) {
        editor->EditIMouseDown(MouseButton::Left, left ? LeftOnly : ShiftState{ShiftKey::Right}, 5, 5);
        left = !left;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetHistoryFillPress);

// A joined stroke whose moves jump right across the chip and back: each
// move paints the 16 blocks of a whole row or diagonal, the slowest case.
void BudgetJoinedPenMove(benchmark::State& state) {
    Editor editor;
    editor->Click(ControlId::StrokeMenu);
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 5, 5);
    int step = 0;
    for (auto _ : state) {
        const int x = step % 2 ? 155 : 5;
        const int y = (step * 7 % 16) * 10 + 5;
        editor->EditIMouseMove(LeftOnly, x, y);
        ++step;
    }
    benchmark::DoNotOptimize(editor->EditI.GetPixel(5, 5));
}
BENCHMARK(BudgetJoinedPenMove);

// What the recovery timer costs the window's thread every 2 s: the state
// taken (the sheet composed, the options, the board); the encoding and the
// write run on a worker.
void BudgetRecoveryCopyTake(benchmark::State& state) {
    Editor editor;
    editor.PaintPattern();
    for (auto _ : state) benchmark::DoNotOptimize(recovery::RecordOfEditor(*editor));
}
BENCHMARK(BudgetRecoveryCopyTake);

}  // namespace

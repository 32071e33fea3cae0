// SPDX-License-Identifier: GPL-3.0-or-later
// The project's one history: whole-sheet steps under its memory limit, the
// undo and redo of such a step, and what a pen stroke's step keeps.

#include <benchmark/benchmark.h>

#include "edit/EditorForm.h"
#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};

// A change of every pixel of every chip, recorded as one whole-sheet step:
// each step keeps the whole sheet, about 0.5 MiB.
void ChangeEveryChip(EditorForm& form, canvas::Colour colour) {
    form.project.RecordSheet({form.CurCol, form.CurRow});
    for (int c = 0; c < sheet::Default.cols; ++c)
        for (int r = 0; r < sheet::Default.rows; ++r) {
            canvas::Picture& chip = form.ChangeChip(c, r);
            chip.SetBrushColour(colour + static_cast<canvas::Colour>(c * sheet::Default.rows + r));
            chip.FillRect({0, 0, chip.Width(), chip.Height()});
        }
}

// 1,000 whole-sheet steps with the history at its largest limit: what it
// keeps stays under the memory limit (the run fails otherwise).
void HistoryThousandWholeSheetSteps(benchmark::State& state) {
    StartedEditor editor;
    editor.PaintPattern();
    editor->SetUndoLimit(History::MaxLimit);
    History& history = editor->project.history;
    std::size_t most = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            ChangeEveryChip(*editor, static_cast<canvas::Colour>(i * 7919));
            most = std::max(most, history.Bytes(editor->project));
        }
    }
    if (most > history.MemoryLimit()) state.SkipWithError("the history outgrew its memory limit");
    state.counters["most_MiB"] = static_cast<double>(most) / (1 << 20);
    state.counters["steps"] = history.UndoCount();
}
BENCHMARK(HistoryThousandWholeSheetSteps)->Unit(benchmark::kMillisecond)->Iterations(1);

// One undo, then one redo, of a step of the whole sheet whose every chip
// changed all over: each iteration is one of them (1 ms at most).
void HistoryWholeSheetUndoRedo(benchmark::State& state) {
    StartedEditor editor;
    editor.PaintPattern();
    editor->SetUndoLimit(History::OnLimit);
    editor->project.RecordSheet({editor->CurCol, editor->CurRow});
    for (int c = 0; c < sheet::Default.cols; ++c)
        for (int r = 0; r < sheet::Default.rows; ++r) {
            canvas::Picture& chip = editor->ChangeChip(c, r);
            chip.SetBrushColour(static_cast<canvas::Colour>(c * 31 + r));
            chip.FillRect({0, 0, 16, 16});
        }
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            editor->project.Undo({editor->CurCol, editor->CurRow});
        else
            editor->project.Redo();
        undo = !undo;
    }
    benchmark::DoNotOptimize(editor->Chip(3, 3).GetPixel(5, 5));
}
BENCHMARK(HistoryWholeSheetUndoRedo)->Unit(benchmark::kMicrosecond);

// A pen stroke of width 1 across 6 x 6 pixels of a chip: its step keeps no
// more than that rectangle, not the chip (the run fails otherwise).
void HistoryPenStrokeStep(benchmark::State& state) {
    StartedEditor editor;
    editor->SetUndoLimit(History::OnLimit);
    const int zoom = editor->Def.Zoom;
    auto at = [zoom](int pixel) { return pixel * zoom + zoom / 2; };
    std::size_t stepBytes = 0;
    for (auto _ : state) {
        editor->project.history.Clear();
        editor->EditIMouseDown(MouseButton::Left, LeftOnly, at(3), at(3));
        for (int i = 1; i < 6; ++i) editor->EditIMouseMove(LeftOnly, at(3 + i), at(3 + i));
        editor->EditIMouseMove(ShiftState{}, at(12), at(12));
        stepBytes = editor->project.history.Bytes(editor->project);
        editor->Undo();
    }
    const std::size_t rectangle = 6 * 6 * sizeof(canvas::Colour);
    const std::size_t chip = 16 * 16 * sizeof(canvas::Colour);
    // The step's own bookkeeping beside its pixels, well under a chip.
    const std::size_t bookkeeping = 512;
    if (stepBytes > rectangle + bookkeeping) state.SkipWithError("a stroke's step keeps more than its rectangle");
    state.counters["step_bytes"] = static_cast<double>(stepBytes);
    state.counters["rectangle_bytes"] = static_cast<double>(rectangle);
    state.counters["chip_bytes"] = static_cast<double>(chip);
}
BENCHMARK(HistoryPenStrokeStep);

}  // namespace

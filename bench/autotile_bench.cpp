// SPDX-License-Identifier: GPL-3.0-or-later
// Terrains: the 47 chips written again from a changed source block, a cell
// painted with the board's terrain brush (its neighbours following), and a
// pen move in a source block with the terrain following it live.

#include <benchmark/benchmark.h>

#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const Terrain Water{"water", {0, 0}, {2, 0}};

struct TerrainEditor : StartedEditor {
    TerrainEditor() {
        PaintPattern();
        form->project.Sheet.PutTerrain(Water);
    }
};

// 0.5 ms: a change of a block's chip, then its terrain's 47 chips written.
void AutotileRegenerate(benchmark::State& state) {
    TerrainEditor editor;
    int step = 0;
    for (auto _ : state) {
        editor->ChangeChip(0, 2).SetPixel(step % 16, 3, canvas::Rgb(step, 0, 0));
        benchmark::DoNotOptimize(editor->project.Sheet.FollowTerrains().size());
        ++step;
    }
}
BENCHMARK(AutotileRegenerate);

// 50 µs: a cell marked and unmarked in turn in the middle of a field of the
// terrain, so that it and its eight neighbours change their chips each time.
void AutotileBrushCell(benchmark::State& state) {
    TerrainEditor editor;
    TryOutBoard& board = editor->project.Board;
    board.Resize(64, 64);
    for (int r = 20; r < 40; ++r)
        for (int c = 20; c < 40; ++c) editor->PaintTerrain({c, r}, 0, true);
    bool on = false;
    for (auto _ : state) {
        editor->PaintTerrain({30, 30}, 0, on);
        on = !on;
        benchmark::DoNotOptimize(board.At({30, 29}));
    }
}
BENCHMARK(AutotileBrushCell);

// The pen move's budget (20 µs, at zoom 10 and pen width 4): a pen drag in
// the block's fill chip, every move followed by the terrain's chips and the
// sheet view showing them.
void BudgetTerrainPenMove(benchmark::State& state) {
    TerrainEditor editor;
    editor->Click(ControlId::mZoom10);
    editor->Click(ControlId::mPSize4);
    editor->ScreenIMouseDown(MouseButton::Left, LeftOnly, 1 * 16 + 3, 2 * 16 + 3);
    editor->FollowTerrains();
    editor->EditIMouseDown(MouseButton::Left, LeftOnly, 5, 5);
    int step = 0;
    for (auto _ : state) {
        editor->EditIMouseMove(LeftOnly, (step * 3 % 16) * 10 + 5, (step / 16 * 3 % 16) * 10 + 5);
        editor->FollowTerrains();
        ++step;
    }
    benchmark::DoNotOptimize(editor->ScreenI.GetPixel(40, 5));
}
BENCHMARK(BudgetTerrainPenMove);

}  // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The try-out board: stamping a cell as the core does it, with the drawing
// of the changed cell that the view then needs, on a 256 x 256 board filled
// with every chip of the sheet, at zoom 4 (the largest cells).

#include <benchmark/benchmark.h>

#include "tests/support/StartedEditor.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};

struct BoardEditor : StartedEditor {
    canvas::Picture part;

    BoardEditor() {
        PaintPattern();
        form->project.Board.Resize(TryOutBoard::MaxSide, TryOutBoard::MaxSide);
        for (int r = 0; r < TryOutBoard::MaxSide; ++r)
            for (int c = 0; c < TryOutBoard::MaxSide; ++c) {
                const int k = (r * TryOutBoard::MaxSide + c) % sheet::Default.ChipCount();
                form->project.Board.Place({c, r}, ChipRef{k % sheet::Default.cols, k / sheet::Default.cols});
            }
        form->Click(ControlId::BoardZoom4);
        ShowBoard();
    }

    // What the window does after a handler: the cells to draw again, drawn.
    void ShowBoard() {
        TryOutBoard& board = form->project.Board;
        form->FollowChipsOnBoard();
        for (const BoardCell& cell : board.DirtyCells())
            board.Draw(part, board.CellRect(cell), form->project.Sheet.Chips());
        board.ClearDirty();
    }
};

// A left drag over the board, one new cell per move; every pass stamps
// another chip, so that every move changes its cell.
void BoardStampCell(benchmark::State& state) {
    BoardEditor editor;
    int step = 0;
    for (auto _ : state) {
        const int cell = step % (TryOutBoard::MaxSide * 8);
        editor->CurCol = step / (TryOutBoard::MaxSide * 8) % sheet::Default.cols;
        editor->BoardIMouseMove(LeftOnly, (cell % TryOutBoard::MaxSide) * 64 + 5,
                                (cell / TryOutBoard::MaxSide) * 64 + 5);
        editor.ShowBoard();
        ++step;
    }
    benchmark::DoNotOptimize(editor.part.GetPixel(0, 0));
}
BENCHMARK(BoardStampCell);

// After a handler that changed no chip: the board compares every chip with
// the copy it last saw.
void BoardFollowUnchangedChips(benchmark::State& state) {
    BoardEditor editor;
    for (auto _ : state) editor.ShowBoard();
}
BENCHMARK(BoardFollowUnchangedChips);

}  // namespace

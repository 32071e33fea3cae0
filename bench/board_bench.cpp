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

    // With `oriented`, the cells take the eight orientations in turn.
    explicit BoardEditor(bool oriented = false) {
        PaintPattern();
        form->project.Board.Resize(TryOutBoard::MaxSide, TryOutBoard::MaxSide);
        for (int r = 0; r < TryOutBoard::MaxSide; ++r)
            for (int c = 0; c < TryOutBoard::MaxSide; ++c) {
                const int k = (r * TryOutBoard::MaxSide + c) % sheet::Default.ChipCount();
                const canvas::Orientation o =
                    oriented ? canvas::AllOrientations[static_cast<std::size_t>(c + r) % canvas::OrientationCount]
                             : canvas::Orientation::AsIs;
                form->project.Board.Place({c, r}, ChipRef{k % sheet::Default.cols, k / sheet::Default.cols}, o);
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

// A screenful of the board drawn at zoom 2 (1024 x 768 view pixels, 32 x 24
// cells): every cell as drawn (oriented:0), or each in one of the eight
// orientations (oriented:1), which should cost about the same.
void BoardDrawScreenful(benchmark::State& state) {
    BoardEditor editor(state.range(0) != 0);
    editor->Click(ControlId::BoardZoom2);
    for (auto _ : state) editor->project.Board.Draw(editor.part, {0, 0, 1024, 768}, editor->project.Sheet.Chips());
    benchmark::DoNotOptimize(editor.part.GetPixel(0, 0));
}
BENCHMARK(BoardDrawScreenful)->ArgName("oriented")->Arg(0)->Arg(1);

}  // namespace

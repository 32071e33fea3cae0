// SPDX-License-Identifier: GPL-3.0-or-later
// The try-out board's window and view settings: showing the window, the
// zoom items, the size dialog and clearing the board.
#include <array>

#include "core/Form.h"
#include "core/Translation.h"

namespace {

constexpr SourceText SizeOutOfRange = TSR_MESSAGE("Board", "配置の大きさは横も縦も1から256までです");
constexpr SourceText ClearQuestion = TSR_MESSAGE("Board", "配置したチップをすべて消去してよろしいですか？");
constexpr SourceText ShrinkQuestion = TSR_MESSAGE("Board", "新しい大きさに収まらない配置は消えます。よろしいですか？");

constexpr std::array<ControlId, 4> ZoomItems{ControlId::BoardZoom1, ControlId::BoardZoom2, ControlId::BoardZoom3,
                                             ControlId::BoardZoom4};

bool InRange(int n) { return n >= 1 && n <= TryOutBoard::MaxSide; }

// Whether a placed cell lies outside the first `cols` x `rows` cells.
bool PlacedOutside(const TryOutBoard& board, int cols, int rows) {
    for (int r = 0; r < board.Rows(); ++r)
        for (int c = 0; c < board.Cols(); ++c)
            if ((c >= cols || r >= rows) && board.At({c, r})) return true;
    return false;
}

}  // namespace

void TForm1::BoardMenuClick() {
    Options.boardShown = !Options.boardShown;
    ShowOptions();
}

void TForm1::BoardFormClose() {
    Options.boardShown = false;
    ShowOptions();
}

void TForm1::BoardViewClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::BoardClearMenu:
            // An empty board has nothing to lose and no step to record.
            if (!PlacedOutside(project.Board, 0, 0) || !platform.AskQuestion(Tr(ClearQuestion))) return;
            project.RecordBoard();
            project.Board.Clear();
            break;
        case ControlId::BoardSizeMenu: {
            const auto size = platform.BoardSizeDialog(project.Board.Cols(), project.Board.Rows());
            if (!size) return;
            if (!InRange(size->cols) || !InRange(size->rows)) {
                platform.ShowMessage(Tr(SizeOutOfRange));
                return;
            }
            if (size->cols == project.Board.Cols() && size->rows == project.Board.Rows()) return;
            if (PlacedOutside(project.Board, size->cols, size->rows) && !platform.AskQuestion(Tr(ShrinkQuestion)))
                return;
            project.RecordBoard();
            project.Board.Resize(size->cols, size->rows);
            break;
        }
        default:
            for (std::size_t i = 0; i < ZoomItems.size(); ++i) {
                if (ZoomItems[i] != Sender) continue;
                project.Board.SetZoom(static_cast<int>(i) + 1);
                ShowOptions();
            }
            break;
    }
}

void TForm1::FollowChipsOnBoard() {
    project.Board.FollowTransparentColour(project.Sheet.TransparentColor);
    if (!Options.animation) return project.Board.FollowChips(project.Sheet.Versions());
    // A cell shows the frame due now: it changes with that frame's version.
    std::vector<std::uint64_t> shown(sheet::SlotCount);
    for (std::size_t slot = 0; slot < shown.size(); ++slot) shown[slot] = project.Sheet.Versions()[ShownSlots[slot]];
    project.Board.FollowChips(shown);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/BoardHistory.h"

#include <algorithm>
#include <optional>

void BoardHistory::Record(const UndoHistory& chips, const TryOutBoard& board) {
    Follow(chips);
    if (!chips.On()) return;
    redo_.clear();
    undo_.push_back(Entry{Kind::Board, CellsOf(board)});
    // The board's steps keep to the history's limit too, oldest first.
    if (BoardSteps(undo_) > chips.Limit())
        undo_.erase(std::find_if(undo_.begin(), undo_.end(), [](const Entry& e) { return e.kind == Kind::Board; }));
}

bool BoardHistory::Undo(const UndoHistory& chips, TryOutBoard& board) { return Take(chips, undo_, redo_, board); }

bool BoardHistory::Redo(const UndoHistory& chips, TryOutBoard& board) { return Take(chips, redo_, undo_, board); }

bool BoardHistory::Take(const UndoHistory& chips, Entries& from, Entries& to, TryOutBoard& board) {
    Follow(chips);
    if (from.empty() || from.back().kind != Kind::Board) return false;
    Swap(from.back().cells, board);
    Pass(from, to, Kind::Board);
    return true;
}

int BoardHistory::UndoCount(const UndoHistory& chips) const { return chips.On() ? BoardSteps(undo_) : 0; }

int BoardHistory::RedoCount(const UndoHistory& chips) const {
    // A chip step recorded since drops the steps waiting for redo.
    return chips.On() && chips.Recorded() == seenRecords_ ? BoardSteps(redo_) : 0;
}

BoardHistory::Cells BoardHistory::CellsOf(const TryOutBoard& board) {
    Cells cells{board.Cols(), board.Rows(), {}};
    for (int r = 0; r < cells.rows; ++r)
        for (int c = 0; c < cells.cols; ++c)
            if (const std::optional<ChipRef> chip = board.At({c, r}))
                cells.placed.push_back({r * cells.cols + c, *chip});
    return cells;
}

void BoardHistory::Swap(Cells& cells, TryOutBoard& board) {
    Cells now = CellsOf(board);
    std::vector<std::optional<ChipRef>> chips(static_cast<std::size_t>(cells.cols) * cells.rows);
    for (const Placed& p : cells.placed) chips[static_cast<std::size_t>(p.index)] = p.chip;
    board.Replace(cells.cols, cells.rows, chips);
    cells = std::move(now);
}

int BoardHistory::BoardSteps(const Entries& entries) {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return e.kind == Kind::Board; }));
}

void BoardHistory::Pass(Entries& from, Entries& to, Kind kind) {
    if (from.empty() || from.back().kind != kind) return;
    to.push_back(std::move(from.back()));
    from.pop_back();
}

void BoardHistory::Follow(const UndoHistory& chips) {
    if (!chips.On()) {
        undo_.clear();
        redo_.clear();
    } else if (chips.Recorded() != seenRecords_) {
        // Chip steps recorded since: they are the newest, and the steps that
        // waited for redo are given up.
        redo_.clear();
        const std::uint64_t recorded = chips.Recorded() - seenRecords_;
        const auto added = static_cast<std::size_t>(std::min<std::uint64_t>(recorded, UndoHistory::MaxLimit));
        undo_.insert(undo_.end(), added, Entry{});
    }
    seenRecords_ = chips.Recorded();
    if (!chips.On()) return;
    MatchChipSteps(undo_, chips.UndoCount());
    MatchChipSteps(redo_, chips.RedoCount());
}

// The chip history drops its oldest steps (the front of both lists); a step
// it holds that was never seen here (the one-level step that became the
// history's first) is older than all.
void BoardHistory::MatchChipSteps(Entries& entries, int chipSteps) {
    int held = static_cast<int>(entries.size()) - BoardSteps(entries);
    for (auto it = entries.begin(); held > chipSteps && it != entries.end();) {
        if (it->kind == Kind::Chip) {
            it = entries.erase(it);
            --held;
        } else {
            ++it;
        }
    }
    for (; held < chipSteps; ++held) entries.push_front(Entry{});
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "core/SheetGeometry.h"
#include "core/TryOutBoard.h"
#include "core/UndoHistory.h"

// The try-out board's steps (a clear, a new size) in the sheet's one undo
// history. The chip history (UndoHistory) keeps the chips' steps; this keeps
// the board's and the order of both kinds, so that undo and redo take them as
// they were made. It follows the chip history by what that reports: chip
// steps recorded since it last looked, and chip steps dropped there (by its
// limit or a clear). With the history off it holds nothing.
class BoardHistory {
public:
    // Before a change of the whole board; nothing while the history is off.
    void Record(const UndoHistory& chips, const TryOutBoard& board);
    // Undoes (redoes) the newest step if it is the board's: true then. False
    // leaves the step to the chip history, whose undo (redo) must be told
    // with ChipUndone (ChipRedone).
    bool Undo(const UndoHistory& chips, TryOutBoard& board);
    bool Redo(const UndoHistory& chips, TryOutBoard& board);
    void ChipUndone() { Pass(undo_, redo_, Kind::Chip); }
    void ChipRedone() { Pass(redo_, undo_, Kind::Chip); }

    // The board's steps that undo (redo) can take now.
    int UndoCount(const UndoHistory& chips) const;
    int RedoCount(const UndoHistory& chips) const;

private:
    enum class Kind : std::uint8_t { Chip, Board };
    struct Placed {
        int index;  // row by row
        ChipRef chip;
    };
    // The whole board: its size and its placed cells.
    struct Cells {
        int cols = 0, rows = 0;
        std::vector<Placed> placed;
    };
    struct Entry {
        Kind kind = Kind::Chip;
        Cells cells;  // a board step's cells from before it (after it, waiting for redo)
    };
    using Entries = std::deque<Entry>;  // back: the step taken next

    static Cells CellsOf(const TryOutBoard& board);
    static void Swap(Cells& cells, TryOutBoard& board);
    static int BoardSteps(const Entries& entries);
    static void Pass(Entries& from, Entries& to, Kind kind);
    // Brings the order up to what the chip history holds now.
    void Follow(const UndoHistory& chips);
    static void MatchChipSteps(Entries& entries, int chipSteps);
    bool Take(const UndoHistory& chips, Entries& from, Entries& to, TryOutBoard& board);

    Entries undo_;
    Entries redo_;
    std::uint64_t seenRecords_ = 0;
};

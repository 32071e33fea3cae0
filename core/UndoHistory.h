// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "canvas/Picture.h"
#include "core/SheetGeometry.h"

// The one undo history of the sheet: each step one chip's pixels from before
// a change and the chip they belong to, or (with the history on) every chip
// from before a change of the whole sheet. With a limit of 1 it is the one-level
// undo: its one step is undone into the chip being edited, whichever chip it
// was taken from, and stays (unavailable) after that undo. Above 1, undo
// swaps the newest step with the chip it belongs to and keeps it for redo;
// redo swaps it back; a new step drops the steps waiting for redo; beyond the
// limit the oldest step goes.
class UndoHistory {
public:
    static constexpr int MaxLimit = 256;
    // The limit the history item switches on.
    static constexpr int OnLimit = 64;

    // A palette entry that a whole-sheet step changed with the pixels (a
    // palette swap): undo and redo give it the other colour when it still
    // holds the one the step left, so that a palette loaded since is left
    // alone. The palette is the form's own and outlives the history.
    struct PaletteEntry {
        std::vector<canvas::Colour>* palette = nullptr;
        std::size_t index = 0;
        canvas::Colour now = 0;    // what the entry holds while the step stands as it is
        canvas::Colour other = 0;  // what undo (and then redo) gives it
    };
    struct Step {
        int col = 0;  // the chip; of a whole-sheet step, the one being edited
        int row = 0;
        canvas::Picture pixels;
        std::vector<canvas::Picture> sheet;  // a whole-sheet step's chips, column by column; else empty
        std::optional<PaletteEntry> entry = std::nullopt;
        // A block step's chips, in the order of `sheet`; empty for a step of
        // one chip or of the whole sheet.
        std::vector<ChipRef> places = {};
        // A whole-sheet step's shape of the sheet, which undo gives back with its chips.
        SheetGeometry geometry = {};
    };

    int Limit() const { return limit_; }
    // More than the one-level undo.
    bool On() const { return limit_ > 1; }
    // 1 to MaxLimit; steps beyond a lower limit are dropped, oldest first.
    // Switching between one level and more keeps what can be undone now:
    // the one-level step becomes the history's first, as a step of chip
    // (currentCol, currentRow) where the one-level undo would have put it;
    // back to one level the history is given up.
    void SetLimit(int limit, int currentCol, int currentRow);

    void Record(int col, int row, const canvas::Picture& before);
    // Every chip (column by column) before a change of the whole sheet, as
    // one step while the history is on. The one-level undo can't take such a
    // change back: it is given up (Clear).
    void RecordSheet(std::span<const canvas::Picture> before, const SheetGeometry& geometry, int currentCol,
                     int currentRow, std::optional<PaletteEntry> entry = std::nullopt);
    // The chips of a block before one change of them all, as one step
    // (col, row: the block's top-left chip). The one-level undo takes it
    // back into those chips.
    void RecordBlock(int col, int row, std::vector<ChipRef> places, std::vector<canvas::Picture> before);
    // Nothing left to undo or redo. The one-level step's pixels stay.
    void Clear();

    int UndoCount() const;
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    // How many steps were ever recorded: a later count tells that steps were.
    std::uint64_t Recorded() const { return recorded_; }

    // The one-level undo's copy, whether or not undo can still use it.
    const canvas::Picture& OneLevelCopy() const;
    void DropOneLevel() { oneLevelAvailable_ = false; }

    // Undoes the newest step into the chips `chipAt(col, row)` gives and
    // returns the place of the chip that changed. One level: into
    // (currentCol, currentRow). A whole-sheet step trades its chip table
    // and shape with the sheet's through `swapSheet(chips, geometry)`.
    template <typename ChipAt, typename SwapSheet>
    std::optional<Step> Undo(ChipAt&& chipAt, SwapSheet&& swapSheet, int currentCol, int currentRow) {
        if (On()) return Move(undo_, redo_, chipAt, swapSheet);
        if (!oneLevelAvailable_ || undo_.empty()) return std::nullopt;
        const Step& step = undo_.back();
        oneLevelAvailable_ = false;
        if (!step.places.empty()) {
            for (std::size_t i = 0; i < step.places.size(); ++i)
                chipAt(step.places[i].col, step.places[i].row).Draw(0, 0, step.sheet[i]);
            return Step{step.col, step.row, {}, {}, std::nullopt, {}};
        }
        chipAt(currentCol, currentRow).Draw(0, 0, step.pixels);
        return Step{currentCol, currentRow, {}, {}, std::nullopt, {}};
    }
    template <typename ChipAt, typename SwapSheet>
    std::optional<Step> Redo(ChipAt&& chipAt, SwapSheet&& swapSheet) {
        return Move(redo_, undo_, chipAt, swapSheet);
    }

private:
    template <typename From, typename To, typename ChipAt, typename SwapSheet>
    static std::optional<Step> Move(From& from, To& to, ChipAt& chipAt, SwapSheet& swapSheet) {
        if (from.empty()) return std::nullopt;
        Step step = std::move(from.back());
        from.pop_back();
        if (step.sheet.empty()) {
            std::swap(chipAt(step.col, step.row), step.pixels);
        } else if (!step.places.empty()) {
            for (std::size_t i = 0; i < step.places.size(); ++i)
                std::swap(chipAt(step.places[i].col, step.places[i].row), step.sheet[i]);
        } else {
            swapSheet(step.sheet, step.geometry);
        }
        if (PaletteEntry* e = step.entry ? &*step.entry : nullptr;
            e && e->index < e->palette->size() && (*e->palette)[e->index] == e->now) {
            (*e->palette)[e->index] = e->other;
            std::swap(e->now, e->other);
        }
        to.push_back(std::move(step));
        return Step{to.back().col, to.back().row, {}, {}, std::nullopt, {}};
    }

    int limit_ = 1;
    std::uint64_t recorded_ = 0;
    bool oneLevelAvailable_ = false;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

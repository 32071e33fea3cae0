#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "canvas/Picture.h"

// The steps of the undo history: each one chip's pixels from before a change
// and the chip they belong to. Undo swaps the newest step with the chip as it
// is now and keeps it for redo; redo swaps it back. A new step drops the
// steps waiting for redo; beyond the limit the oldest step goes.
class UndoHistory {
public:
    static constexpr int MaxLimit = 256;
    // The limit the history item switches on.
    static constexpr int OnLimit = 64;

    struct Step {
        int col = 0;
        int row = 0;
        canvas::Picture pixels;
    };

    int Limit() const { return limit_; }
    // 1 to MaxLimit; steps beyond a lower limit are dropped, oldest first.
    void SetLimit(int limit);

    void Record(int col, int row, const canvas::Picture& before);
    void Clear();

    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }

    // The newest step (for undo) or the next undone one (for redo), swapped
    // with the chip that `chipAt(col, row)` gives; returns that chip's place.
    template <typename ChipAt>
    std::optional<Step> Undo(ChipAt&& chipAt) {
        return Move(undo_, redo_, chipAt);
    }
    template <typename ChipAt>
    std::optional<Step> Redo(ChipAt&& chipAt) {
        return Move(redo_, undo_, chipAt);
    }

private:
    template <typename From, typename To, typename ChipAt>
    static std::optional<Step> Move(From& from, To& to, ChipAt& chipAt) {
        if (from.empty()) return std::nullopt;
        Step step = std::move(from.back());
        from.pop_back();
        canvas::Picture& chip = chipAt(step.col, step.row);
        std::swap(chip, step.pixels);
        to.push_back(std::move(step));
        return Step{to.back().col, to.back().row, {}};
    }

    int limit_ = 1;
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

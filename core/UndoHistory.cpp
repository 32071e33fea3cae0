#include "core/UndoHistory.h"

#include <algorithm>

void UndoHistory::SetLimit(int limit) {
    limit_ = std::clamp(limit, 1, MaxLimit);
    while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
    // Steps waiting for redo stand for changes made, so they count too.
    if (static_cast<int>(redo_.size()) > limit_) redo_.erase(redo_.begin(), redo_.end() - limit_);
}

void UndoHistory::Record(int col, int row, const canvas::Picture& before) {
    redo_.clear();
    if (static_cast<int>(undo_.size()) >= limit_) {
        // The oldest step's picture is reused for the new one: no allocation
        // once the history is full.
        Step oldest = std::move(undo_.front());
        undo_.pop_front();
        oldest.col = col;
        oldest.row = row;
        oldest.pixels = before;
        undo_.push_back(std::move(oldest));
        return;
    }
    undo_.push_back(Step{col, row, before});
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

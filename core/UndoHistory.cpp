// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UndoHistory.h"

#include <algorithm>

void UndoHistory::SetLimit(int limit, int currentCol, int currentRow) {
    const bool wasOn = On();
    limit_ = std::clamp(limit, 1, MaxLimit);
    if (On() != wasOn) {
        const bool keep = On() && oneLevelAvailable_ && !undo_.empty();
        redo_.clear();
        if (keep) {
            Step step = std::move(undo_.back());
            undo_.clear();
            step.col = currentCol;
            step.row = currentRow;
            undo_.push_back(std::move(step));
        } else {
            undo_.clear();
        }
        oneLevelAvailable_ = false;
        return;
    }
    while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
    // Steps waiting for redo stand for changes made, so they count too.
    if (static_cast<int>(redo_.size()) > limit_) redo_.erase(redo_.begin(), redo_.end() - limit_);
}

void UndoHistory::Record(int col, int row, const canvas::Picture& before) {
    ++recorded_;
    redo_.clear();
    oneLevelAvailable_ = true;
    if (static_cast<int>(undo_.size()) >= limit_) {
        // The oldest step's picture is reused for the new one: no allocation
        // once the history is full.
        Step oldest = std::move(undo_.front());
        undo_.pop_front();
        oldest.col = col;
        oldest.row = row;
        oldest.pixels = before;
        oldest.sheet.clear();
        oldest.places.clear();
        oldest.entry.reset();
        undo_.push_back(std::move(oldest));
        return;
    }
    undo_.push_back(Step{col, row, before, {}, std::nullopt, {}});
}

void UndoHistory::RecordBlock(int col, int row, std::vector<ChipRef> places, std::vector<canvas::Picture> before) {
    ++recorded_;
    redo_.clear();
    oneLevelAvailable_ = true;
    if (static_cast<int>(undo_.size()) >= limit_) undo_.pop_front();
    undo_.push_back(Step{col, row, {}, std::move(before), std::nullopt, std::move(places)});
}

void UndoHistory::RecordSheet(std::span<const canvas::Picture> before, const SheetGeometry& geometry, int currentCol,
                              int currentRow, std::optional<PaletteEntry> entry) {
    if (!On()) return Clear();
    redo_.clear();
    if (static_cast<int>(undo_.size()) >= limit_) undo_.pop_front();
    undo_.push_back(Step{currentCol, currentRow, {}, {before.begin(), before.end()}, entry, {}, geometry});
}

void UndoHistory::Clear() {
    oneLevelAvailable_ = false;
    redo_.clear();
    if (On()) undo_.clear();
}

int UndoHistory::UndoCount() const {
    if (On()) return static_cast<int>(undo_.size());
    return oneLevelAvailable_ && !undo_.empty() ? 1 : 0;
}

const canvas::Picture& UndoHistory::OneLevelCopy() const {
    static const canvas::Picture none;
    return undo_.empty() || On() ? none : undo_.back().pixels;
}

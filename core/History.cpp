// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/History.h"

#include <algorithm>

#include "core/Project.h"

// ---- ChipPixels ----

ChipPixels::ChipPixels(const Project& project, std::vector<ChipRef> chips, ChipRef place) : place_(place) {
    parts_.reserve(chips.size());
    for (const ChipRef chip : chips) {
        const canvas::Picture& now = project.Sheet.Chip(chip.col, chip.row);
        parts_.push_back(Part{chip, {0, 0, now.Width(), now.Height()}, now, true});
    }
}

namespace {

// The smallest rectangle holding every pixel in which `a` and `b` differ.
canvas::Rect Difference(const canvas::Picture& a, const canvas::Picture& b) {
    canvas::Rect r{a.Width(), a.Height(), 0, 0};
    for (int y = 0; y < a.Height(); ++y) {
        const auto ra = a.Row(y);
        const auto rb = b.Row(y);
        if (std::equal(ra.begin(), ra.end(), rb.begin())) continue;
        int left = 0;
        while (ra[left] == rb[left]) ++left;
        int right = a.Width();
        while (ra[right - 1] == rb[right - 1]) --right;
        r = {std::min(r.left, left), std::min(r.top, y), std::max(r.right, right), y + 1};
    }
    return r.IsEmpty() ? canvas::Rect{} : r;
}

}  // namespace

void ChipPixels::Settle(const Project& project) {
    if (settled_) return;
    settled_ = true;
    for (Part& part : parts_) {
        const canvas::Picture& now = project.Sheet.Chip(part.chip.col, part.chip.row);
        // A chip whose size changed keeps its whole picture.
        if (now.Width() != part.pixels.Width() || now.Height() != part.pixels.Height()) continue;
        const canvas::Rect changed = Difference(part.pixels, now);
        if (changed.IsEmpty()) {
            part.area = changed;
            continue;
        }
        if (changed == part.area) continue;
        canvas::Picture kept(changed.Width(), changed.Height());
        kept.CopyRect({0, 0, changed.Width(), changed.Height()}, part.pixels, changed);
        part.area = changed;
        part.pixels = std::move(kept);
        part.whole = false;
    }
    std::erase_if(parts_, [](const Part& p) { return p.area.IsEmpty(); });
    // A whole-sheet step starts with every slot of the chip table.
    parts_.shrink_to_fit();
}

std::size_t ChipPixels::Bytes() const {
    std::size_t bytes = sizeof(*this) + parts_.capacity() * sizeof(Part);
    for (const Part& part : parts_)
        bytes += static_cast<std::size_t>(part.pixels.Width()) * static_cast<std::size_t>(part.pixels.Height()) *
                 sizeof(canvas::Colour);
    return bytes;
}

void ChipPixels::Exchange(Project& project) {
    for (Part& part : parts_) {
        canvas::Picture& chip = project.Sheet.ChangeChip(part.chip.col, part.chip.row);
        if (part.whole) {
            std::swap(chip, part.pixels);
            continue;
        }
        const canvas::Rect kept{0, 0, part.area.Width(), part.area.Height()};
        canvas::Picture now(part.area.Width(), part.area.Height());
        now.CopyRect(kept, chip, part.area);
        chip.CopyRect(part.area, part.pixels, kept);
        part.pixels = std::move(now);
    }
}

void ChipPixels::DrawBack(Project& project, ChipRef current) const {
    if (parts_.size() == 1) {
        project.Sheet.ChangeChip(current.col, current.row).Draw(0, 0, parts_.front().pixels);
        return;
    }
    for (const Part& part : parts_) project.Sheet.ChangeChip(part.chip.col, part.chip.row).Draw(0, 0, part.pixels);
}

const canvas::Picture& ChipPixels::First() const {
    static const canvas::Picture none;
    return parts_.empty() ? none : parts_.front().pixels;
}

void ChipPixels::MovePlace(ChipRef place) {
    place_ = place;
    if (parts_.size() == 1) parts_.front().chip = place;
}

// ---- CommandGroup ----

void CommandGroup::Revert(Project& project) {
    for (auto it = commands_.rbegin(); it != commands_.rend(); ++it) (*it)->Revert(project);
}

void CommandGroup::Apply(Project& project) {
    for (auto& command : commands_) command->Apply(project);
}

std::size_t CommandGroup::Bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto& command : commands_) bytes += command->Bytes();
    return bytes;
}

std::optional<ChipRef> CommandGroup::Place() const {
    for (const auto& command : commands_)
        if (auto place = command->Place()) return place;
    return std::nullopt;
}

void CommandGroup::Settle(const Project& project) {
    for (auto& command : commands_) command->Settle(project);
}

// ---- History ----

void History::SetLimit(int limit, ChipRef current) {
    const bool wasOn = On();
    limit_ = std::clamp(limit, 1, MaxLimit);
    if (On() != wasOn) {
        redo_.clear();
        undo_.clear();
        newestSettled_ = true;
        if (On() && oneLevelAvailable_ && oneLevel_) {
            oneLevel_->MovePlace(current);
            undo_.push_back({std::move(oneLevel_), 0});
            undo_.back().bytes = undo_.back().command->Bytes();
            newestSettled_ = false;
        }
        oneLevel_.reset();
        oneLevelAvailable_ = false;
        return;
    }
    KeepWithinLimits();
}

void History::SetMemoryLimit(std::size_t bytes) {
    memoryLimit_ = bytes;
    KeepWithinLimits();
}

void History::SettleNewest(const Project& project) {
    if (newestSettled_ || undo_.empty()) return;
    newestSettled_ = true;
    undo_.back().command->Settle(project);
    undo_.back().bytes = undo_.back().command->Bytes();
}

void History::Record(const Project& project, std::unique_ptr<Command> command, OneLevel oneLevel) {
    if (!On()) {
        if (oneLevel == OneLevel::Forgets) return Clear();
        if (oneLevel != OneLevel::Kept || !command) return;
        auto* pixels = dynamic_cast<ChipPixels*>(command.get());
        if (!pixels) return;
        ++recorded_;
        command.release();
        oneLevel_.reset(pixels);
        oneLevelAvailable_ = true;
        return;
    }
    if (!command) return;
    ++recorded_;
    SettleNewest(project);
    redo_.clear();
    const std::size_t bytes = command->Bytes();
    undo_.push_back({std::move(command), bytes});
    newestSettled_ = false;
    KeepWithinLimits();
}

// The newest step always stays, whatever it holds.
void History::KeepWithinLimits() {
    while (static_cast<int>(undo_.size()) > limit_) undo_.pop_front();
    // Steps waiting for redo stand for changes made, so they count too.
    if (static_cast<int>(redo_.size()) > limit_) redo_.erase(redo_.begin(), redo_.end() - limit_);
    std::size_t total = 0;
    for (const Kept& k : undo_) total += k.bytes;
    for (const Kept& k : redo_) total += k.bytes;
    while (total > memoryLimit_ && !redo_.empty()) {
        total -= redo_.front().bytes;
        redo_.erase(redo_.begin());
    }
    while (total > memoryLimit_ && undo_.size() > 1) {
        total -= undo_.front().bytes;
        undo_.pop_front();
    }
}

void History::Clear() {
    oneLevelAvailable_ = false;
    redo_.clear();
    undo_.clear();
    newestSettled_ = true;
}

std::optional<History::Done> History::Undo(Project& project, ChipRef current) {
    if (!On()) {
        if (!OneLevelAvailable()) return std::nullopt;
        oneLevelAvailable_ = false;
        oneLevel_->DrawBack(project, current);
        return Done{oneLevel_->SingleChip() ? std::optional<ChipRef>(current) : oneLevel_->Place()};
    }
    if (undo_.empty()) return std::nullopt;
    SettleNewest(project);
    Kept kept = std::move(undo_.back());
    undo_.pop_back();
    kept.command->Revert(project);
    kept.bytes = kept.command->Bytes();
    const Done done{kept.command->Place()};
    redo_.push_back(std::move(kept));
    return done;
}

std::optional<History::Done> History::Redo(Project& project) {
    if (redo_.empty()) return std::nullopt;
    SettleNewest(project);
    Kept kept = std::move(redo_.back());
    redo_.pop_back();
    kept.command->Apply(project);
    kept.bytes = kept.command->Bytes();
    const Done done{kept.command->Place()};
    undo_.push_back(std::move(kept));
    return done;
}

int History::UndoCount() const {
    if (On()) return static_cast<int>(undo_.size());
    return OneLevelAvailable() ? 1 : 0;
}

std::size_t History::Bytes(const Project& project) {
    SettleNewest(project);
    std::size_t total = 0;
    for (const Kept& k : undo_) total += k.bytes;
    for (const Kept& k : redo_) total += k.bytes;
    return total;
}

const canvas::Picture& History::OneLevelCopy() const {
    static const canvas::Picture none;
    return oneLevel_ && !On() ? oneLevel_->First() : none;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ChipAnimations.h"

#include <algorithm>
#include <iterator>

namespace {

ChipRef ChipOfSlot(std::size_t slot) { return sheet::ChipOfSlot(slot); }

bool Shares(ChipRef first, int frames, ChipRef chip) {
    return chip.row == first.row && chip.col >= first.col && chip.col < first.col + frames;
}

// The frames of `animation` at `first` once cut at the row's end; 0 for none.
int FramesAt(ChipRef first, const std::optional<ChipAnimation>& animation, int cols) {
    return animation ? std::min({animation->frames, ChipAnimation::MaxFrames, cols - first.col}) : 0;
}

bool Overlaps(ChipRef first, int frames, ChipRef other, const ChipAnimation& animation) {
    return Shares(other, animation.frames, first) || (frames > 0 && Shares(first, frames, other));
}

}  // namespace

void ChipAnimations::Set(ChipRef first, std::optional<ChipAnimation> animation, const SheetGeometry& sheet) {
    if (!sheet.Contains(first)) return;
    const int frames = FramesAt(first, animation, sheet.cols);
    if (animation) {
        animation->frames = frames;
        animation->frameMs = std::clamp(animation->frameMs, ChipAnimation::MinFrameMs, ChipAnimation::MaxFrameMs);
    }
    for (auto it = byFirst_.begin(); it != byFirst_.end();)
        it = Overlaps(first, frames, ChipOfSlot(it->first), it->second) ? byFirst_.erase(it) : std::next(it);
    if (frames >= ChipAnimation::MinFrames) byFirst_[sheet::SlotOf(first.col, first.row)] = *animation;
}

void ChipAnimations::KeepWithin(const SheetGeometry& sheet) {
    std::erase_if(byFirst_, [&](const auto& entry) {
        const ChipRef first = ChipOfSlot(entry.first);
        return !sheet.Contains(first) || first.col + entry.second.frames > sheet.cols;
    });
}

std::vector<ChipRef> ChipAnimations::Overlapping(ChipRef first, std::optional<ChipAnimation> animation,
                                                 const SheetGeometry& sheet) const {
    std::vector<ChipRef> dropped;
    if (!sheet.Contains(first)) return dropped;
    const int frames = FramesAt(first, animation, sheet.cols);
    for (const auto& [slot, other] : byFirst_) {
        const ChipRef at = ChipOfSlot(slot);
        if (at != first && Overlaps(first, frames, at, other)) dropped.push_back(at);
    }
    return dropped;
}

std::optional<ChipAnimation> ChipAnimations::Of(ChipRef chip) const {
    if (chip.col < 0 || chip.row < 0 || chip.col >= sheet::MaxCols || chip.row >= sheet::MaxRows) return std::nullopt;
    const auto it = byFirst_.find(sheet::SlotOf(chip.col, chip.row));
    if (it == byFirst_.end()) return std::nullopt;
    return it->second;
}

std::optional<ChipRef> ChipAnimations::Holding(ChipRef chip) const {
    for (const auto& [slot, animation] : byFirst_) {
        const ChipRef first = ChipOfSlot(slot);
        if (Shares(first, animation.frames, chip)) return first;
    }
    return std::nullopt;
}

ChipAnimations::ShownSlots ChipAnimations::Still() {
    ShownSlots shown{};
    for (std::size_t slot = 0; slot < shown.size(); ++slot) shown[slot] = static_cast<std::uint16_t>(slot);
    return shown;
}

void ChipAnimations::ShowAt(std::int64_t elapsedMs, ShownSlots& shown) const {
    shown = Still();
    const std::int64_t now = std::max<std::int64_t>(elapsedMs, 0);
    for (const auto& [slot, animation] : byFirst_) {
        const ChipRef first = ChipOfSlot(slot);
        const int frame = static_cast<int>((now / animation.frameMs) % animation.frames);
        shown[slot] = static_cast<std::uint16_t>(sheet::SlotOf(first.col + frame, first.row));
    }
}

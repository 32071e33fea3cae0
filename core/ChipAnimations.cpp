// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ChipAnimations.h"

#include <algorithm>
#include <iterator>

namespace {

ChipRef ChipOfSlot(std::size_t slot) { return sheet::ChipOfSlot(slot); }

bool Shares(ChipRef first, int frames, ChipRef chip) {
    return chip.row == first.row && chip.col >= first.col && chip.col < first.col + frames;
}

}  // namespace

void ChipAnimations::Set(ChipRef first, std::optional<ChipAnimation> animation, const SheetGeometry& sheet) {
    if (!sheet.Contains(first)) return;
    int frames = 0;
    if (animation) {
        frames = std::min({animation->frames, ChipAnimation::MaxFrames, sheet.cols - first.col});
        animation->frames = frames;
        animation->frameMs = std::clamp(animation->frameMs, ChipAnimation::MinFrameMs, ChipAnimation::MaxFrameMs);
    }
    for (auto it = byFirst_.begin(); it != byFirst_.end();) {
        const ChipRef other = ChipOfSlot(it->first);
        const bool overlaps = Shares(other, it->second.frames, first) || (frames > 0 && Shares(first, frames, other));
        it = overlaps ? byFirst_.erase(it) : std::next(it);
    }
    if (frames >= ChipAnimation::MinFrames) byFirst_[sheet::SlotOf(first.col, first.row)] = *animation;
}

void ChipAnimations::KeepWithin(const SheetGeometry& sheet) {
    std::erase_if(byFirst_, [&](const auto& entry) {
        const ChipRef first = ChipOfSlot(entry.first);
        return !sheet.Contains(first) || first.col + entry.second.frames > sheet.cols;
    });
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

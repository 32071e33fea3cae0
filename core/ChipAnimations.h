// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/SheetGeometry.h"

// A chip that moves: the chip and the chips after it on its row are its
// frames, each shown for the frame time in turn.
struct ChipAnimation {
    static constexpr int MinFrames = 2;
    static constexpr int MaxFrames = 8;
    static constexpr int MinFrameMs = 50;
    static constexpr int MaxFrameMs = 1000;
    static constexpr int DefaultFrameMs = 200;

    int frames = MinFrames;
    int frameMs = DefaultFrameMs;
    friend bool operator==(const ChipAnimation&, const ChipAnimation&) = default;
};

// The animated chips of a sheet, each by the chip of its first frame. No two
// share a chip.
class ChipAnimations {
public:
    // Chip (col, row) plays `animation` from now on: its frames are cut at
    // the row's end and its frame time kept within the limits; fewer than
    // two frames, or nothing, make it still. Animations that shared a chip
    // with the new one are dropped.
    void Set(ChipRef first, std::optional<ChipAnimation> animation, const SheetGeometry& sheet = sheet::Default);
    // Animations that no longer lie whole on a sheet of `sheet`'s shape go.
    void KeepWithin(const SheetGeometry& sheet);
    // The first frames of the other animations that Set(first, animation)
    // would drop, in sheet order.
    std::vector<ChipRef> Overlapping(ChipRef first, std::optional<ChipAnimation> animation,
                                     const SheetGeometry& sheet = sheet::Default) const;
    // The animation whose first frame is `chip`.
    std::optional<ChipAnimation> Of(ChipRef chip) const;
    // The first frame of the animation that shows `chip` among its frames.
    std::optional<ChipRef> Holding(ChipRef chip) const;

    // For every chip slot, the slot it shows `elapsedMs` after the
    // animations started: a first frame the frame due then, every other
    // chip itself.
    using ShownSlots = std::array<std::uint16_t, sheet::SlotCount>;
    void ShowAt(std::int64_t elapsedMs, ShownSlots& shown) const;
    // Every chip shows itself.
    static ShownSlots Still();

    bool Empty() const { return byFirst_.empty(); }
    void Clear() { byFirst_.clear(); }
    // By the first frame's slot (sheet::SlotOf).
    const std::map<std::size_t, ChipAnimation>& All() const { return byFirst_; }

private:
    std::map<std::size_t, ChipAnimation> byFirst_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/Orientation.h"
#include "canvas/Picture.h"

// What the tile preview shows: three times the chip (or block of chips)
// being edited each way, in places of one chip each, magnified by a whole
// factor: the chip in the middle of nine places, a block of W x H chips in
// the middle of 3W x 3H. It remembers the version of the chip each place
// shows, so that bringing the view up to date redraws only the places whose
// chip changed, and the view's dirty rectangle says what changed.
class TilePreview {
public:
    // Places across and down are this many times the chips being edited.
    static constexpr int Side = 3;
    // What a place shows: a chip and its version (SheetDocument), or no chip
    // for a place outside the sheet, which shows black.
    struct Source {
        const canvas::Picture* chip = nullptr;
        std::uint64_t version = 0;
        canvas::Orientation orientation = canvas::Orientation::AsIs;
    };
    // Row by row from the top-left, `across` places to a row.
    using Sources = std::vector<Source>;

    // Brings `view` to the sources at `zoom` view pixels per chip pixel, for
    // chips of `chipSize` pixels. A new zoom, chip size or number of places,
    // a view of another size or Forget() redraws everything; otherwise only
    // the places whose source changed.
    void Show(const Sources& sources, int across, int chipSize, int zoom, canvas::Picture& view);

    // The next Show redraws everything (the view may have been changed by
    // someone else, or the preview was hidden and did not follow).
    void Forget() { valid_ = false; }

private:
    Sources shown_;
    canvas::Picture black_;  // what a place outside the sheet shows
    int chipSize_ = 0;
    int zoom_ = 0;
    bool valid_ = false;
};

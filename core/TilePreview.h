#pragma once

#include <array>

#include "canvas/Picture.h"

// What the tile preview shows: nine places in three rows of three, each
// holding one chip magnified by a whole factor (the chip being edited in the
// middle). It keeps a copy of the pixels each place shows, so that bringing
// the view up to date redraws only the pixels that differ, and the view's
// dirty rectangle says exactly what changed.
class TilePreview {
public:
    static constexpr int Side = 3;
    static constexpr int Places = Side * Side;
    // The chip of each place, row by row from the top-left; none for a place
    // outside the sheet, which shows black.
    using Sources = std::array<const canvas::Picture*, Places>;

    // Brings `view` to the sources at `zoom` view pixels per chip pixel, for
    // chips of `chipSize` pixels. A new zoom or chip size, a view of another
    // size or Forget() redraws everything; otherwise only what differs.
    void Show(const Sources& sources, int chipSize, int zoom, canvas::Picture& view);

    // The next Show redraws everything (the view may have been changed by
    // someone else, or the preview was hidden and did not follow).
    void Forget() { valid_ = false; }

private:
    // Draws the pixels of `chip` that differ from shown_[place] (all of them
    // when `all`) into the place and remembers them.
    void ShowPlace(int place, const canvas::Picture& chip, bool all, canvas::Picture& view);

    std::array<canvas::Picture, Places> shown_;
    canvas::Picture black_;  // what a place outside the sheet shows
    int chipSize_ = 0;
    int zoom_ = 0;
    bool valid_ = false;
};

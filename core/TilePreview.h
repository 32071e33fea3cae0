#pragma once

#include <array>
#include <cstdint>

#include "canvas/Picture.h"

// What the tile preview shows: nine places in three rows of three, each
// holding one chip magnified by a whole factor (the chip being edited in the
// middle). It remembers the version of the chip each place shows, so that
// bringing the view up to date redraws only the places whose chip changed,
// and the view's dirty rectangle says what changed.
class TilePreview {
public:
    static constexpr int Side = 3;
    static constexpr int Places = Side * Side;
    // What a place shows, row by row from the top-left: a chip and its
    // version (SheetDocument), or no chip for a place outside the sheet,
    // which shows black.
    struct Source {
        const canvas::Picture* chip = nullptr;
        std::uint64_t version = 0;
    };
    using Sources = std::array<Source, Places>;

    // Brings `view` to the sources at `zoom` view pixels per chip pixel, for
    // chips of `chipSize` pixels. A new zoom or chip size, a view of another
    // size or Forget() redraws everything; otherwise only the places whose
    // source changed.
    void Show(const Sources& sources, int chipSize, int zoom, canvas::Picture& view);

    // The next Show redraws everything (the view may have been changed by
    // someone else, or the preview was hidden and did not follow).
    void Forget() { valid_ = false; }

private:
    std::array<Source, Places> shown_{};
    canvas::Picture black_;  // what a place outside the sheet shows
    int chipSize_ = 0;
    int zoom_ = 0;
    bool valid_ = false;
};

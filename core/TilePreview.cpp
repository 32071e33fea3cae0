#include "core/TilePreview.h"

#include <algorithm>

void TilePreview::Show(const Sources& sources, int chipSize, int zoom, canvas::Picture& view) {
    const int side = Side * chipSize * zoom;
    const bool all = !valid_ || chipSize != chipSize_ || zoom != zoom_ || view.Width() != side || view.Height() != side;
    if (all) {
        view.SetSize(side, side);
        black_.SetSize(chipSize, chipSize);
        chipSize_ = chipSize;
        zoom_ = zoom;
        valid_ = true;
    }
    for (int place = 0; place < Places; ++place) {
        const canvas::Picture* chip = sources[static_cast<std::size_t>(place)];
        ShowPlace(place, chip ? *chip : black_, all, view);
    }
}

void TilePreview::ShowPlace(int place, const canvas::Picture& chip, bool all, canvas::Picture& view) {
    canvas::Picture& shown = shown_[static_cast<std::size_t>(place)];
    const int n = chipSize_, z = zoom_;
    const int left = place % Side * n * z, top = place / Side * n * z;
    if (shown.Width() != n || shown.Height() != n) {
        shown.SetSize(n, n);
        all = true;
    }
    for (int y = 0; y < n; ++y) {
        const auto want = y < chip.Height() ? chip.Row(y) : black_.Row(y);
        const auto have = shown.Row(y);
        const int width = std::min<int>(n, static_cast<int>(want.size()));
        if (!all && std::equal(want.begin(), want.begin() + width, have.begin())) continue;
        // Runs of one colour in this row go into the view as one rectangle.
        for (int x = 0; x < width;) {
            const canvas::Colour c = want[static_cast<std::size_t>(x)];
            int end = x;
            while (end < width && want[static_cast<std::size_t>(end)] == c &&
                   (all || have[static_cast<std::size_t>(end)] != c))
                ++end;
            if (end == x) {  // unchanged pixel
                ++x;
                continue;
            }
            view.SetBrushColour(c);
            view.FillRect({left + x * z, top + y * z, left + end * z, top + (y + 1) * z});
            x = end;
        }
        shown.SetRow(y, want.subspan(0, static_cast<std::size_t>(width)));
    }
}

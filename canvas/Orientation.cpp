// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Orientation.h"

#include <vector>

namespace canvas {

Picture Oriented(const Picture& picture, Orientation o) {
    const bool diagonal = Has(o, Orientation::Diagonal);
    const int width = diagonal ? picture.Height() : picture.Width();
    const int height = diagonal ? picture.Width() : picture.Height();
    Picture shown(width, height);
    std::vector<Colour> row(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Point from = SourceOf(o, x, y, width, height);
            row[static_cast<std::size_t>(x)] = picture.Row(from.y)[static_cast<std::size_t>(from.x)];
        }
        shown.SetRow(y, row);
    }
    shown.ClearDirty();
    return shown;
}

}  // namespace canvas

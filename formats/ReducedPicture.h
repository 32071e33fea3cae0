// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/Picture.h"
#include "formats/PictureWithAlpha.h"

// A picture shrunk for a preview: every `step`-th pixel of every `step`-th
// row (after any reduction the format does itself), at most a given size a
// side, with the size of the whole picture it shows.
struct ReducedPicture {
    canvas::Picture picture;
    int width = 0;  // of the whole picture
    int height = 0;
};

// The whole number by which a width x height picture is divided so that
// neither side passes maxSide.
constexpr int ReductionStep(long long width, long long height, int maxSide) {
    const long long side = width > height ? width : height;
    return side <= maxSide ? 1 : static_cast<int>((side + maxSide - 1) / maxSide);
}

// The same with the alpha of each pixel kept, for formats that have it.
struct ReducedPictureWithAlpha {
    PictureWithAlpha picture;
    int width = 0;  // of the whole picture
    int height = 0;
};

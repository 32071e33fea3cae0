// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "canvas/Colour.h"

// What a picture file's header tells before any pixel is decoded: the
// picture's size and, when its pixels are indices into one, its colour table
// in the file's order (as PictureWithAlpha::table would hold it).
struct PictureHeader {
    int width = 0;
    int height = 0;
    std::optional<std::vector<canvas::Colour>> table;
};

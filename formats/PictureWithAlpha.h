// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/Picture.h"

// A picture as a file holds it: 24-bit colours and, where the format has
// them, the opacity of each pixel (0 fully transparent, 255 opaque), row by
// row from the top. `alpha` is empty when every pixel is opaque, as in every
// BMP and JPEG file. The editor's chips have no alpha; the transparency rule
// (formats/Transparency.h) turns this into 24-bit colours.
struct PictureWithAlpha {
    canvas::Picture colours;
    std::vector<std::uint8_t> alpha;
    // A load of the top-left part found the file damaged after the data of
    // that part: the picture is whole, but the file is not.
    bool damagedAfterKeptPart = false;
    // The file's colour table, in its order, when its pixels are indices
    // into one (BMP of 1, 4 or 8 bits, run-length ones too; PNG of colour
    // type 3).
    std::optional<std::vector<canvas::Colour>> table = std::nullopt;
    // The opacity of each table entry (a PNG's tRNS); empty when all are
    // opaque.
    std::vector<std::uint8_t> tableAlpha = {};

    bool HasTransparency() const { return !alpha.empty(); }
};

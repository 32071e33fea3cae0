// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "canvas/Picture.h"
#include "formats/PictureWithAlpha.h"

// The transparent colour T: chips hold 24-bit colours only, so one colour
// stands for transparency. A load turns alpha into colours by this rule, and
// the PNG writers turn T back into alpha 0.
//
// - Fully transparent pixels become T.
// - Partly transparent pixels become their colour composited over T (and
//   are counted, since a chip can't keep them).
// - When T is none and the picture has pixels that aren't opaque, T is
//   chosen first: (255,0,255), or, when that colour occurs among the opaque
//   pixels, the first colour of the 216-colour cube (red fastest, blue
//   slowest) that doesn't.
struct TransparencyResult {
    canvas::Picture picture;
    std::optional<canvas::Colour> transparent;  // T after the load
    bool chosen = false;                        // T was none and this load chose it
    std::int64_t partlyTransparent = 0;         // pixels composited over T
};

TransparencyResult ApplyTransparency(PictureWithAlpha picture, std::optional<canvas::Colour> transparent);

// The colour the rule chooses for T in this picture.
canvas::Colour ChooseTransparentColour(const PictureWithAlpha& picture);

// round((colour * alpha + over * (255 - alpha)) / 255), per component.
canvas::Colour CompositeOver(canvas::Colour colour, int alpha, canvas::Colour over);

// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "canvas/Picture.h"

namespace canvas {

Rect Clip(const Rect& r, int width, int height) {
    Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    if (c.IsEmpty()) return Rect{};
    return c;
}

}  // namespace canvas

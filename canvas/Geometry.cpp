#include <algorithm>

#include "canvas/Picture.h"

namespace canvas {

Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Rect Clip(const Rect& r, int width, int height) {
    Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    if (c.IsEmpty()) return Rect{};
    return c;
}

}  // namespace canvas

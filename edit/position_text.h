// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/Form.h"

// The text of EditPos: "x,y (r,g,b)", the position followed by the colour
// text of the pixel there.
// Where wrap-around drawing lands a chip coordinate past an edge: the same
// place counted from the opposite edge, as on a torus.
inline int WrapIntoChip(int a, int n) {
    const int r = a % n;
    return r < 0 ? r + n : r;
}

inline std::string PositionText(int x, int y, TColor colour) {
    return std::to_string(x) + "," + std::to_string(y) + " (" + ColourText(colour) + ")";
}

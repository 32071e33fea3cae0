#pragma once

#include <string>

#include "core/Form.h"

// The text of EditPos: "x,y (r,g,b)", the position followed by the colour
// text of the pixel there.
inline std::string PositionText(int x, int y, TColor colour) {
    return std::to_string(x) + "," + std::to_string(y) + " (" + ColourText(colour) + ")";
}

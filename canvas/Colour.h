// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace canvas {

// A 24-bit colour with red in the low byte, green in the middle byte and blue
// in the high byte: 0x0000FF is red, 0xFF0000 blue. The top byte is always 0.
using Colour = std::uint32_t;

constexpr Colour Rgb(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;

}  // namespace canvas

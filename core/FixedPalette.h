// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "canvas/Colour.h"

// The fixed palette: the 216-colour cube (red fastest, blue slowest), eight
// unused black entries, 31 greys and white.
canvas::Colour FixedPaletteColour(int entry);
// The same as the colour table of the 256-colour writer: blue in byte 0,
// green in byte 1, red in byte 2.
std::array<std::uint32_t, 256> FixedPaletteTable();

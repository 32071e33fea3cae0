// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/Picture.h"

namespace bmp {

// The whole file of a 24-bit Windows BMP: a 14-byte file header, a 40-byte
// info header, no colour table, then the rows from the bottom row up, each
// padded with zeros to a multiple of 4 bytes.
std::vector<std::uint8_t> Encode24(const canvas::Picture& picture);

}  // namespace bmp

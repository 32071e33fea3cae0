// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace png {

// The PNG filter type (0 none, 1 sub, 2 up, 3 average, 4 Paeth) for `row`
// below `previous` (all zeros above the first row), with `bytesPerPixel`
// bytes a pixel: the one whose residuals, taken as signed bytes, have the
// least sum of magnitudes (ties to the lower type), the usual adaptive
// choice. Both rows have the same length.
int BestRowFilter(std::span<const std::uint8_t> row, std::span<const std::uint8_t> previous, int bytesPerPixel);

}  // namespace png

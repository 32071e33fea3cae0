// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The largest picture any reader accepts, checked before a single pixel is
// allocated: at most 32768 pixels per side and 2^28 pixels in all (1 GiB of
// 24-bit colours held as 32-bit values). A header that claims more is refused
// as unreadable, so that a few bytes of a lying file can't exhaust memory.
namespace picture_limits {

constexpr std::int64_t MaxSide = 32768;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// The fuzz targets run many inputs a second within a memory limit; a tiny
// run-length file may rightly claim the largest picture, which there would
// only measure the allocator.
constexpr std::int64_t MaxPixels = std::int64_t{1} << 22;
#else
constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;
#endif

constexpr bool Acceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide && width * height <= MaxPixels;
}

// Files larger than the largest acceptable picture at 32 bits per pixel, plus
// room for headers and tables, are not read at all.
constexpr std::int64_t MaxFileBytes = MaxPixels * 4 + (std::int64_t{1} << 20);

}  // namespace picture_limits

#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"
#include "io/PictureLimits.h"

namespace jpeg {

// Decodes a JPEG file at full size into 24-bit colours: the top-left
// keepWidth x keepHeight pixels, or the whole picture where it is smaller;
// by default the whole picture. Rows below the kept part are not decoded. A
// header that can't be read throws PictureReadError; faulty image data after
// a good header, within the rows decoded, throw EditorError.
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);

}  // namespace jpeg

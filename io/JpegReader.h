#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"

namespace jpeg {

// Decodes a whole JPEG file at full size into 24-bit colours. A header that
// can't be read throws PictureReadError; faulty image data after a good
// header throw EditorError.
canvas::Picture Decode(std::span<const std::uint8_t> file);

}  // namespace jpeg

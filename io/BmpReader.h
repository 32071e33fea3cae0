#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"

namespace bmp {

// Decodes a whole Windows BMP file into 24-bit colours. Throws
// PictureReadError on anything it can't read safely.
canvas::Picture Decode(std::span<const std::uint8_t> file);

}  // namespace bmp

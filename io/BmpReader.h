#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"
#include "io/ByteSource.h"
#include "io/PictureLimits.h"

namespace bmp {

// Decodes a Windows BMP file into 24-bit colours: the top-left keepWidth x
// keepHeight pixels, or the whole picture where it is smaller. Only the rows
// kept are read and converted, unless the file's colour table is short or it
// is run-length encoded; then all pixels are read, so that an index past the
// table is refused wherever it lies. The headers are checked in full either
// way. Throws PictureReadError on anything it can't read safely.
canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight);

// The same for a file held whole in memory; by default the whole picture.
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);

}  // namespace bmp

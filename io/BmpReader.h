#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"
#include "io/ByteSource.h"
#include "io/PictureLimits.h"
#include "io/ReducedPicture.h"

namespace bmp {

// Decodes a Windows BMP file into 24-bit colours: the top-left keepWidth x
// keepHeight pixels, or the whole picture where it is smaller. The headers
// are read and checked in full first; then only the rows kept are read and
// converted, unless the file's colour table is short (all rows are then
// checked, part by part, so that an index past the table is refused wherever
// it lies) or it is run-length encoded (the runs are followed from the start,
// no further than the picture can need). Throws PictureReadError on anything
// it can't read safely.
canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight);

// The same for a file held whole in memory; by default the whole picture.
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);

// The whole picture, at most maxSide pixels a side: every step-th pixel of
// every step-th row, the other rows not read (run-length data are followed
// whole). Refused exactly as Decode refuses the whole picture.
ReducedPicture DecodeReduced(ByteSource& file, int maxSide);

}  // namespace bmp

#pragma once

#include <cstdint>
#include <span>

#include "io/ByteSource.h"
#include "io/PictureLimits.h"
#include "io/PictureWithAlpha.h"

namespace png {

// Decodes a PNG file (libspng) into 8-bit colours and alpha: every colour
// type and bit depth, interlaced or not; palette transparency (tRNS) becomes
// alpha; 16-bit samples become round(v * 255 / 65535); gamma, colour profiles
// and significant bits are not applied. Only the top-left keepWidth x
// keepHeight pixels are kept, or the whole picture where it is smaller; in a
// file without interlacing the rows below them are not decoded, nor the rest
// of the file read. The size is checked against the picture limits before
// anything is allocated. Throws PictureReadError on a file it can't read
// (bad signature, chunk or checksum, data cut short within the rows needed).
PictureWithAlpha Decode(ByteSource& file, int keepWidth, int keepHeight);

// The same for a file held whole in memory; by default the whole picture.
PictureWithAlpha Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                        int keepHeight = picture_limits::MaxSide);

// The whole picture shrunk for a preview: every `step`-th pixel of every
// `step`-th row (io/ReducedPicture.h), at most maxSide pixels a side, with
// its alpha, and the size of the whole picture. Rows are decoded one at a
// time, so memory stays within the reduced picture and one row.
struct ReducedPng {
    PictureWithAlpha picture;
    int width = 0;
    int height = 0;
};
ReducedPng DecodeReduced(ByteSource& file, int maxSide);

}  // namespace png

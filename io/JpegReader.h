#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"
#include "io/ByteSource.h"
#include "io/PictureLimits.h"
#include "io/ReducedPicture.h"

namespace jpeg {

// Decodes a JPEG file at full size into 24-bit colours: the top-left
// keepWidth x keepHeight pixels, or the whole picture where it is smaller.
// The header is read first, and then only as much of the file as the rows
// kept need (a progressive file needs all its scans). Every failure throws
// PictureReadError: an unreadable header as NotAPicture, a picture whose
// decoding would pass the work budget (below) as TooLarge, before decoding;
// faulty image data within the rows decoded, or a file that ends before
// them, as FaultyData. Warnings about the data that libjpeg can pad over are
// accepted.
canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight);

// The same for a file held in memory; by default the whole picture.
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);

// The whole picture, at most maxSide pixels a side: libjpeg decodes it at
// 1/2, 1/4 or 1/8 of its size where that is enough, and rows and columns are
// then skipped. Fails as Decode does, except that damage is accepted as far
// as libjpeg pads over it.
ReducedPicture DecodeReduced(ByteSource& file, int maxSide);

// The work budget: a file that holds several scans (progressive files and
// files with a scan per component) keeps the coefficients of the whole
// picture in memory and passes every scan over all its blocks, whatever part
// of it a load keeps. Such files are refused when the coefficients need more
// than MaxCoefficientBytes, when their scans together pass more than
// MaxScanBlocks blocks, or when they hold more than MaxScans scans. A file of
// one scan decodes row by row and needs no budget beyond the picture limits.
constexpr std::int64_t MaxCoefficientBytes = std::int64_t{40} << 20;
constexpr std::int64_t MaxScanBlocks = std::int64_t{1} << 25;
constexpr long MaxScans = 1000;

}  // namespace jpeg

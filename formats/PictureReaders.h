// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "canvas/Picture.h"
#include "formats/ByteSource.h"
#include "formats/PictureHeader.h"
#include "formats/PictureLimits.h"
#include "formats/PictureWithAlpha.h"
#include "formats/ReducedPicture.h"

// The picture readers. Each has the same three entry points:
//
//   Decode(ByteSource&, keepWidth, keepHeight): the top-left keepWidth x
//     keepHeight pixels, or the whole picture where it is smaller. The header
//     is read and checked first, against the picture limits before anything
//     is allocated, and then only what the kept part needs is read and
//     decoded where the format allows.
//   Decode(bytes, ...): the same for a file held whole in memory; by default
//     the whole picture.
//   DecodeReduced(ByteSource&, maxSide): the whole picture for a preview,
//     every step-th pixel of every step-th row (ReducedPicture.h), at most
//     maxSide pixels a side, with the size of the whole picture.
//   HeaderOf(ByteSource&): the size and colour table the header gives,
//     checked as a decode checks them; no pixel is decoded.
//
// Every failure throws PictureReadError with its reason; nothing is ever
// half read. BMP and JPEG files have no alpha; PNG files keep theirs.

namespace bmp {

// Windows BMP into 24-bit colours. Only the rows kept are read and
// converted, unless the file's colour table is short (all rows are then
// checked, part by part, so that an index past the table is refused wherever
// it lies) or it is run-length encoded (the runs are followed from the start,
// no further than the picture can need). The reduced picture reads only the
// rows it shows (run-length data are followed whole) and is refused exactly
// as the whole picture is.
canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight);
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);
ReducedPicture DecodeReduced(ByteSource& file, int maxSide);
PictureHeader HeaderOf(ByteSource& file);

}  // namespace bmp

namespace jpeg {

// JPEG at full size into 24-bit colours (libjpeg-turbo). Only as much of the
// file as the rows kept need is read (a progressive file needs all its
// scans). An unreadable header is NotAPicture, a picture whose decoding would
// pass the work budget (below) TooLarge, before decoding; faulty image data
// within the rows decoded, or a file that ends before them, FaultyData.
// Warnings about the data that libjpeg can pad over are accepted. The
// reduced picture is decoded at 1/2, 1/4 or 1/8 of its size where that is
// enough, and damage is accepted there as far as libjpeg pads over it.
canvas::Picture Decode(ByteSource& file, int keepWidth, int keepHeight);
canvas::Picture Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                       int keepHeight = picture_limits::MaxSide);
ReducedPicture DecodeReduced(ByteSource& file, int maxSide);
PictureHeader HeaderOf(ByteSource& file);

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

namespace png {

// PNG (libspng) into 8-bit colours and alpha: every colour type and bit
// depth, interlaced or not; palette transparency (tRNS) becomes alpha;
// 16-bit samples become round(v * 255 / 65535); gamma, colour profiles and
// significant bits are not applied. In a file without interlacing the rows
// below the kept part are not decoded, nor the rest of the file read. Broken
// files (bad signature, chunk or checksum, data cut short within the rows
// needed) are NotAPicture; ancillary chunks past their limits TooLarge. The
// reduced picture is decoded a row at a time, so memory stays within it and
// one row.
PictureWithAlpha Decode(ByteSource& file, int keepWidth, int keepHeight);
PictureWithAlpha Decode(std::span<const std::uint8_t> file, int keepWidth = picture_limits::MaxSide,
                        int keepHeight = picture_limits::MaxSide);
ReducedPictureWithAlpha DecodeReduced(ByteSource& file, int maxSide);
PictureHeader HeaderOf(ByteSource& file);

}  // namespace png

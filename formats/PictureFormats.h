// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/Picture.h"
#include "formats/ByteSource.h"
#include "formats/PaletteBmp.h"
#include "formats/PictureHeader.h"
#include "formats/PictureWithAlpha.h"
#include "formats/ReducedPicture.h"

// The picture formats the editor reads and writes, and the one rule that
// tells which a name stands for, for reading and writing alike: the
// extension, from the last "." after the last "/", in any case: ".png" is
// PNG, ".jpg" JPEG, every other name (".jpeg" included) BMP.
enum class PictureType { Bmp, Jpeg, Png };

struct PictureFormat {
    PictureType type;
    // The lower-case extension that chooses the format; empty for BMP, which
    // every other name is.
    std::string_view extension;
    // The top-left keepWidth x keepHeight pixels, or the whole picture where
    // it is smaller (formats/PictureReaders.h).
    PictureWithAlpha (*decode)(ByteSource& file, int keepWidth, int keepHeight);
    // The whole picture for a preview, at most maxSide pixels a side; alpha
    // turned into colours by the transparency rule with no transparent colour
    // set yet (formats/Transparency.h).
    ReducedPicture (*decodeReduced)(ByteSource& file, int maxSide);
    // The bytes of a 24-bit picture saved under such a name: for PNG an
    // indexed PNG when it has at most 256 colours, else an RGB PNG (RGBA when
    // `transparent` is set and occurs, its pixels at alpha 0; indexed, that
    // colour's entry at alpha 0), png::EncodeSmallest; a 24-bit BMP for every
    // other name. `chipSize` is the side of the picture's map chips, which
    // the PNG compression looks to for repeats.
    std::vector<std::uint8_t> (*encode)(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                        int chipSize);
    // The bytes of an indexed picture with the fixed table: an indexed PNG
    // (tRNS giving alpha 0 to the first entry equal to `transparent`, when it
    // is set and is a table colour), an 8-bit BMP for every other name.
    std::vector<std::uint8_t> (*encodeIndexed)(const palette_bmp::IndexedPicture& picture,
                                               const std::array<std::uint32_t, 256>& table,
                                               std::optional<canvas::Colour> transparent, int chipSize);
    // The size and colour table the header gives, with no pixel decoded.
    PictureHeader (*readHeader)(ByteSource& file);
};

// The extension of a path, lower-cased (ASCII letters only), with its dot:
// from the last "." after the last "/"; empty when there is none.
std::string LowerExtension(std::string_view path);

const PictureFormat& PictureFormatOf(std::string_view path);
PictureType PictureTypeOf(std::string_view path);

// True when PictureTypeOf(path) is JPEG.
bool IsJpegPath(std::string_view path);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/SheetGeometry.h"
#include "formats/PaletteBmp.h"
#include "io/FileWriteError.h"

// Pictures saved under a name: the format is the one PictureTypeOf (formats/
// PictureFormats.h) gives the name: PNG for a ".png" name in any case, a 24-bit
// (or, for indexed pictures, 8-bit) BMP for every other name. Every save of
// the editor goes through these, so that a name means the same format
// everywhere.

// `chipSize` below is the side of the chips the picture is made of (the
// sheet's, or the chip's own side for a single chip): PNG compression looks
// a chip row back for repeats.

// The bytes of a 24-bit picture saved as `path`: an RGB PNG (RGBA when
// `transparent` is set and occurs, its pixels at alpha 0) or a 24-bit BMP.
std::vector<std::uint8_t> EncodePictureFile(const std::string& path, const canvas::Picture& picture,
                                            std::optional<canvas::Colour> transparent,
                                            int chipSize = sheet::Default.chipSize);

// EncodePictureFile written atomically (io/AtomicFile.h): nothing when it is
// written, else why not; any earlier file stays as it was.
std::optional<FileWriteError> WritePictureFile(const std::string& path, const canvas::Picture& picture,
                                               std::optional<canvas::Colour> transparent,
                                               int chipSize = sheet::Default.chipSize);

// The bytes of an indexed picture with the fixed table saved as `path`: an
// indexed PNG (with tRNS giving alpha 0 to the first entry equal to
// `transparent`, when it is set and is a table colour) or an 8-bit BMP.
std::vector<std::uint8_t> EncodePaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                            const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Colour> transparent,
                                            int chipSize = sheet::Default.chipSize);

// The name of the n-th file of a numbered save from the base the user gave:
// base + two or more digits + ".bmp"; a base ending in ".png" (any case)
// gives the base without it + digits + ".png" (map.png: map00.png ...).
std::string NumberedFileName(const std::string& base, int n);

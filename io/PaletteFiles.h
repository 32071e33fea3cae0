// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/SheetGeometry.h"
#include "formats/PaletteBmp.h"
#include "formats/PaletteFile.h"

// Palette files by name (formats/PaletteFile.h chooses the format by the
// extension), and pictures saved with a palette of their own.

// The palette of the file at `path`: a palette file, or any other name read
// as a picture file (its table, read from the header alone without a pixel
// decoded, or the distinct colours of a picture of at most
// palette_file::MaxPicturePixels). Only regular files are read, a text
// palette no further than palette_file::MaxTextBytes. `notes`, when given,
// learns what the read passed over. Throws palette_file::PaletteFileError or
// PictureReadError; nothing changes.
palette_file::Palette ReadPaletteFile(const std::string& path, palette_file::ReadNotes* notes = nullptr);

// Writes the palette as .gpl, .pal or .hex by the name, atomically; another
// name is refused with palette_file::PaletteFileError before anything is
// written, a failed write throws FileWriteError.
void WritePaletteFile(const std::string& path, const palette_file::Palette& palette);

// The bytes of an indexed picture with its own palette (at most 256 colours)
// saved as `path`: an indexed PNG of as many entries as the palette has (tRNS
// giving alpha 0 to the first entry equal to `transparent`, when it is set
// and is a palette colour), or an 8-bit BMP whose table is the palette, black
// past its end.
std::vector<std::uint8_t> EncodeOwnPaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                               const palette_file::Palette& palette,
                                               std::optional<canvas::Colour> transparent,
                                               int chipSize = sheet::Default.chipSize);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PaletteFiles.h"

#include "formats/OwnPalette.h"
#include "formats/PictureFormats.h"
#include "formats/PngWriter.h"
#include "io/AtomicFile.h"
#include "io/PictureFile.h"
#include "io/RegularFile.h"

palette_file::Palette ReadPaletteFile(const std::string& path) {
    const std::optional<palette_file::Format> format = palette_file::FormatOf(path);
    if (!format) return palette_file::FromPicture(LoadPictureWithAlpha(path));
    // One byte past the limit tells a file that is too long from one that
    // just fits.
    return palette_file::Parse(ReadFileStart(path, palette_file::MaxTextBytes + 1), *format);
}

void WritePaletteFile(const std::string& path, const palette_file::Palette& palette) {
    const std::optional<palette_file::Format> format = palette_file::FormatOf(path);
    if (!format || !palette_file::Writable(*format))
        throw palette_file::PaletteFileError(0, "palettes are saved as .gpl, .pal or .hex");
    WriteFileAtomically(path, palette_file::Write(palette, *format));
}

std::vector<std::uint8_t> EncodeOwnPaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                               const palette_file::Palette& palette,
                                               std::optional<canvas::Colour> transparent) {
    const std::array<std::uint32_t, 256> table = own_palette::TableEntries(palette);
    if (PictureTypeOf(path) != PictureType::Png) return palette_bmp::EncodeBmp(picture, table);
    std::optional<std::uint8_t> transparentIndex;
    if (transparent) transparentIndex = palette_bmp::EntryOf(*transparent, table);
    if (transparentIndex && *transparentIndex >= palette.size()) transparentIndex.reset();
    return png::EncodeIndexed(picture.indices, picture.width, picture.height, table, transparentIndex, palette.size());
}

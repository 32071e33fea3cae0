// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PaletteFiles.h"

#include <filesystem>
#include <system_error>

#include "formats/OwnPalette.h"
#include "formats/PictureFormats.h"
#include "formats/PngWriter.h"
#include "io/AtomicFile.h"
#include "io/RegularFile.h"

palette_file::Palette ReadPaletteFile(const std::string& path, palette_file::ReadNotes* notes) {
    const std::optional<palette_file::Format> format = palette_file::FormatOf(path);
    if (format) {
        // The file's own size decides, before it is opened: also a file past
        // what RegularFile opens is refused with its size.
        std::error_code error;
        const std::uintmax_t size =
            std::filesystem::file_size(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
        if (!error) palette_file::CheckFileSize(*format, size);
    }
    RegularFile file(path);
    if (!format) return palette_file::FromPictureFile(file, PictureFormatOf(path));
    palette_file::CheckFileSize(*format, file.Size());
    return palette_file::Parse(file.Read(0, file.Size()), *format, notes);
}

void WritePaletteFile(const std::string& path, const palette_file::Palette& palette) {
    const std::optional<palette_file::Format> format = palette_file::FormatOf(path);
    if (!format || !palette_file::Writable(*format))
        throw palette_file::PaletteFileError(0, "palettes are saved as .gpl, .pal or .hex");
    WriteFileAtomically(path, palette_file::Write(palette, *format));
}

std::vector<std::uint8_t> EncodeOwnPaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                               const palette_file::Palette& palette,
                                               std::optional<canvas::Colour> transparent, int chipSize) {
    const std::array<std::uint32_t, 256> table = own_palette::TableEntries(palette);
    if (PictureTypeOf(path) != PictureType::Png) return palette_bmp::EncodeBmp(picture, table);
    std::optional<std::uint8_t> transparentIndex;
    if (transparent) transparentIndex = palette_bmp::EntryOf(*transparent, table);
    if (transparentIndex && *transparentIndex >= palette.size()) transparentIndex.reset();
    return png::EncodeIndexed(picture.indices, picture.width, picture.height, table, transparentIndex, chipSize,
                              palette.size());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PictureSave.h"

#include "core/EditorError.h"
#include "formats/PictureEncodeError.h"
#include "formats/PictureFormats.h"
#include "io/AtomicFile.h"

std::vector<std::uint8_t> EncodePictureFile(const std::string& path, const canvas::Picture& picture,
                                            std::optional<canvas::Colour> transparent, int chipSize) {
    try {
        return PictureFormatOf(path).encode(picture, transparent, chipSize);
    } catch (const PictureEncodeError& e) {
        throw EditorError(e.what());
    }
}

std::optional<FileWriteError> WritePictureFile(const std::string& path, const canvas::Picture& picture,
                                               std::optional<canvas::Colour> transparent, int chipSize) {
    try {
        WriteFileAtomically(path, EncodePictureFile(path, picture, transparent, chipSize));
    } catch (const FileWriteError& e) {
        return e;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> EncodePaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                            const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Colour> transparent, int chipSize) {
    try {
        return PictureFormatOf(path).encodeIndexed(picture, table, transparent, chipSize);
    } catch (const PictureEncodeError& e) {
        throw EditorError(e.what());
    }
}

std::string NumberedFileName(const std::string& base, int n) {
    // Appended, not "0" + to_string: GCC 12 at -O3 warns (-Wrestrict) about
    // the prepend it inlines, which fails the Release build.
    std::string digits(n < 10 ? 1 : 0, '0');
    digits += std::to_string(n);
    // A name ending in ".png" is a PNG name whatever comes before it.
    if (PictureTypeOf(base) == PictureType::Png && base.size() >= 4 && base[base.size() - 4] == '.')
        return base.substr(0, base.size() - 4) + digits + ".png";
    return base + digits + ".bmp";
}

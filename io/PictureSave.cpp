#include "io/PictureSave.h"

#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/PictureFile.h"
#include "io/PngWriter.h"

std::vector<std::uint8_t> EncodePictureFile(const std::string& path, const canvas::Picture& picture,
                                            std::optional<canvas::Colour> transparent) {
    if (PictureTypeOf(path) == PictureType::Png) return png::EncodeRgb(picture, transparent);
    return bmp::Encode24(picture);
}

std::optional<FileWriteError> WritePictureFile(const std::string& path, const canvas::Picture& picture,
                                               std::optional<canvas::Colour> transparent) {
    try {
        WriteFileAtomically(path, EncodePictureFile(path, picture, transparent));
    } catch (const FileWriteError& e) {
        return e;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> EncodePaletteFile(const std::string& path, const palette_bmp::IndexedPicture& picture,
                                            const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Colour> transparent) {
    if (PictureTypeOf(path) != PictureType::Png) return palette_bmp::EncodeBmp(picture, table);
    std::optional<std::uint8_t> transparentIndex;
    if (transparent) transparentIndex = palette_bmp::EntryOf(*transparent, table);
    return png::EncodeIndexed(picture.indices, picture.width, picture.height, table, transparentIndex);
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

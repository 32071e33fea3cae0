// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PictureFormats.h"

#include "formats/BmpHeader.h"
#include "formats/BmpWriter.h"
#include "formats/PictureReaders.h"
#include "formats/PngWriter.h"
#include "formats/Transparency.h"

namespace {

std::vector<std::uint8_t> EncodeBmp(const canvas::Picture& picture, std::optional<canvas::Colour>, int) {
    return bmp::Encode24(picture);
}

std::vector<std::uint8_t> EncodeIndexedBmp(const palette_bmp::IndexedPicture& picture,
                                           const std::array<std::uint32_t, 256>& table, std::optional<canvas::Colour>,
                                           int) {
    return palette_bmp::EncodeBmp(picture, table);
}

std::vector<std::uint8_t> EncodeIndexedPng(const palette_bmp::IndexedPicture& picture,
                                           const std::array<std::uint32_t, 256>& table,
                                           std::optional<canvas::Colour> transparent, int chipSize) {
    std::optional<std::uint8_t> transparentIndex;
    if (transparent) transparentIndex = palette_bmp::EntryOf(*transparent, table);
    return png::EncodeIndexed(picture.indices, picture.width, picture.height, table, transparentIndex, chipSize);
}

// The picture with its colour table, when its pixels are indices.
PictureWithAlpha DecodeBmp(ByteSource& file, int w, int h) {
    const bmp::Header header = bmp::ParseHeader(file.ReadAtMost(0, bmp::HeadBytes), file.Size());
    PictureWithAlpha picture;
    picture.colours = bmp::Decode(file, w, h);
    if (header.bitCount <= 8 && header.encoding != bmp::Encoding::Masks) picture.table = header.table;
    return picture;
}

const PictureFormat Bmp{
    PictureType::Bmp, "", DecodeBmp, bmp::DecodeReduced, EncodeBmp, EncodeIndexedBmp, bmp::HeaderOf,
};

// JPEG is read only: a JPEG name saves as BMP, as every name but PNG does.
const PictureFormat Jpeg{
    PictureType::Jpeg,
    ".jpg",
    [](ByteSource& file, int w, int h) {
        PictureWithAlpha picture;
        picture.colours = jpeg::Decode(file, w, h);
        return picture;
    },
    jpeg::DecodeReduced,
    EncodeBmp,
    EncodeIndexedBmp,
    jpeg::HeaderOf,
};

const PictureFormat Png{
    PictureType::Png,
    ".png",
    [](ByteSource& file, int w, int h) { return png::Decode(file, w, h); },
    [](ByteSource& file, int maxSide) {
        ReducedPictureWithAlpha reduced = png::DecodeReduced(file, maxSide);
        return ReducedPicture{ApplyTransparency(std::move(reduced.picture), std::nullopt).picture, reduced.width,
                              reduced.height};
    },
    png::EncodeSmallest,
    EncodeIndexedPng,
    png::HeaderOf,
};

}  // namespace

std::string LowerExtension(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(path.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

const PictureFormat& PictureFormatOf(std::string_view path) {
    const std::string ext = LowerExtension(path);
    for (const PictureFormat* format : {&Png, &Jpeg})
        if (ext == format->extension) return *format;
    return Bmp;
}

PictureType PictureTypeOf(std::string_view path) { return PictureFormatOf(path).type; }

bool IsJpegPath(std::string_view path) { return PictureTypeOf(path) == PictureType::Jpeg; }

#include "io/PictureFile.h"

#include "io/BmpReader.h"
#include "io/JpegReader.h"
#include "io/PngReader.h"
#include "io/RegularFile.h"
#include "io/Transparency.h"

PictureType PictureTypeOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return PictureType::Bmp;
    std::string ext = path.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (ext == ".png") return PictureType::Png;
    if (ext == ".jpg") return PictureType::Jpeg;
    return PictureType::Bmp;
}

bool IsJpegPath(const std::string& path) { return PictureTypeOf(path) == PictureType::Jpeg; }

PictureWithAlpha LoadPictureWithAlpha(const std::string& path, int keepWidth, int keepHeight) {
    RegularFile file(path);
    switch (PictureTypeOf(path)) {
        case PictureType::Png: return png::Decode(file, keepWidth, keepHeight);
        case PictureType::Jpeg: return {jpeg::Decode(file, keepWidth, keepHeight), {}};
        case PictureType::Bmp: break;
    }
    return {bmp::Decode(file, keepWidth, keepHeight), {}};
}

canvas::Picture LoadPictureFile(const std::string& path, int keepWidth, int keepHeight) {
    return ApplyTransparency(LoadPictureWithAlpha(path, keepWidth, keepHeight), std::nullopt).picture;
}

ReducedPicture LoadReducedPicture(const std::string& path, int maxSide) {
    RegularFile file(path);
    switch (PictureTypeOf(path)) {
        case PictureType::Png: {
            png::ReducedPng reduced = png::DecodeReduced(file, maxSide);
            return {ApplyTransparency(std::move(reduced.picture), std::nullopt).picture, reduced.width, reduced.height};
        }
        case PictureType::Jpeg: return jpeg::DecodeReduced(file, maxSide);
        case PictureType::Bmp: break;
    }
    return bmp::DecodeReduced(file, maxSide);
}

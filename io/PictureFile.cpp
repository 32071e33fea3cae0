#include "io/PictureFile.h"

#include "io/BmpReader.h"
#include "io/JpegReader.h"
#include "io/RegularFile.h"

bool IsJpegPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = path.substr(dot);
    if (ext.size() != 4) return false;
    static const char lower[] = ".jpg";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ext[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

canvas::Picture LoadPictureFile(const std::string& path, int keepWidth, int keepHeight) {
    RegularFile file(path);
    if (IsJpegPath(path)) return jpeg::Decode(file, keepWidth, keepHeight);
    return bmp::Decode(file, keepWidth, keepHeight);
}

ReducedPicture LoadReducedPicture(const std::string& path, int maxSide) {
    RegularFile file(path);
    if (IsJpegPath(path)) return jpeg::DecodeReduced(file, maxSide);
    return bmp::DecodeReduced(file, maxSide);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PictureFile.h"

#include "formats/Transparency.h"
#include "io/RegularFile.h"

PictureWithAlpha LoadPictureWithAlpha(const std::string& path, int keepWidth, int keepHeight) {
    RegularFile file(path);
    return PictureFormatOf(path).decode(file, keepWidth, keepHeight);
}

canvas::Picture LoadPictureFile(const std::string& path, int keepWidth, int keepHeight) {
    return ApplyTransparency(LoadPictureWithAlpha(path, keepWidth, keepHeight), std::nullopt).picture;
}

ReducedPicture LoadReducedPicture(const std::string& path, int maxSide) {
    RegularFile file(path);
    return PictureFormatOf(path).decodeReduced(file, maxSide);
}

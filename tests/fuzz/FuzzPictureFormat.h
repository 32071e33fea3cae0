// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one harness of the picture readers: any bytes through a format's
// reader, whole, as the top-left part a sheet load keeps, and reduced for a
// preview: a picture within the limits and no larger than asked (its alpha,
// if any, one value a pixel), or a PictureReadError; nothing else may leave
// it.
#include <cstdint>
#include <cstdlib>

#include "formats/PictureFormats.h"
#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"

inline int FuzzPictureFormat(const PictureFormat& format, const std::uint8_t* data, std::size_t size) {
    constexpr int Whole = static_cast<int>(picture_limits::MaxSide);
    for (const auto& [w, h] : {std::pair{Whole, Whole}, std::pair{480, 256}}) {
        try {
            MemoryBytes bytes({data, size});
            const PictureWithAlpha picture = format.decode(bytes, w, h);
            const int pw = picture.colours.Width(), ph = picture.colours.Height();
            if (!picture_limits::Acceptable(pw, ph) || pw > w || ph > h) std::abort();
            if (picture.HasTransparency() && picture.alpha.size() != static_cast<std::size_t>(pw) * ph) std::abort();
        } catch (const PictureReadError&) {}
    }
    try {
        MemoryBytes bytes({data, size});
        const ReducedPicture reduced = format.decodeReduced(bytes, 320);
        const int pw = reduced.picture.Width(), ph = reduced.picture.Height();
        if (pw < 1 || ph < 1 || pw > 320 || ph > 320) std::abort();
    } catch (const PictureReadError&) {}
    return 0;
}

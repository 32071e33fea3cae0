// Any bytes through the PNG reader, whole and for a sheet's top-left part: a
// picture within the limits and no larger than asked, or a
// PictureReadError; nothing else may leave it.
#include <cstdint>
#include <cstdlib>

#include "io/PictureLimits.h"
#include "io/PictureReadError.h"
#include "io/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& [w, h] : {std::pair{32768, 32768}, std::pair{480, 256}}) {
        try {
            const PictureWithAlpha picture = png::Decode({data, size}, w, h);
            const int pw = picture.colours.Width(), ph = picture.colours.Height();
            if (!picture_limits::Acceptable(pw, ph) || pw > w || ph > h) std::abort();
            if (picture.HasTransparency() && picture.alpha.size() != static_cast<std::size_t>(pw) * ph) std::abort();
        } catch (const PictureReadError&) {}
    }
    return 0;
}

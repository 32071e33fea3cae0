// Any bytes through the BMP reader: a picture within the limits, or a
// PictureReadError; nothing else may leave it.
#include <cstdint>
#include <cstdlib>

#include "io/BmpReader.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const canvas::Picture picture = bmp::Decode({data, size});
        if (!picture_limits::Acceptable(picture.Width(), picture.Height())) std::abort();
    } catch (const PictureReadError&) {
    }
    return 0;
}

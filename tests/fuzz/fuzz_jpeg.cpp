// Any bytes through the JPEG reader: a picture within the limits, a
// PictureReadError for an unreadable header, or an EditorError for faulty
// image data; nothing else may leave it.
#include <cstdint>
#include <cstdlib>

#include "core/EditorError.h"
#include "io/JpegReader.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const canvas::Picture picture = jpeg::Decode({data, size});
        if (!picture_limits::Acceptable(picture.Width(), picture.Height())) std::abort();
    } catch (const PictureReadError&) {
    } catch (const EditorError&) {
    }
    return 0;
}

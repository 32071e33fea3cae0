// Any bytes through the JPEG reader, whole, as the top-left part a sheet
// load keeps, and reduced for a preview: a picture within the limits or a
// PictureReadError; nothing else may leave it.
#include <cstdint>
#include <cstdlib>

#include "io/JpegReader.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto attempt = [](auto decode) {
        try {
            const canvas::Picture picture = decode();
            if (!picture_limits::Acceptable(picture.Width(), picture.Height())) std::abort();
        } catch (const PictureReadError&) {}
    };
    attempt([&] { return jpeg::Decode({data, size}); });
    attempt([&] { return jpeg::Decode({data, size}, 480, 256); });
    attempt([&] {
        MemoryBytes bytes({data, size});
        return jpeg::DecodeReduced(bytes, 320).picture;
    });
    return 0;
}

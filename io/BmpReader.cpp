#include "io/BmpReader.h"

#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

namespace bmp {
namespace {
std::uint32_t U16(std::span<const std::uint8_t> f, std::size_t at) { return f[at] | f[at + 1] << 8; }
std::uint32_t U32(std::span<const std::uint8_t> f, std::size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}
}  // namespace

canvas::Picture Decode(std::span<const std::uint8_t> file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') throw PictureReadError("not a BMP file");
    const std::uint32_t off = U32(file, 10);
    const std::int32_t width = static_cast<std::int32_t>(U32(file, 18));
    const std::int32_t h = static_cast<std::int32_t>(U32(file, 22));
    const std::uint32_t bits = U16(file, 28);
    if (U32(file, 14) != 40 || U32(file, 30) != 0 || (bits != 24 && bits != 8)) throw PictureReadError("unsupported BMP");
    const std::int64_t height = h < 0 ? -static_cast<std::int64_t>(h) : h;
    if (!picture_limits::Acceptable(width, height)) throw PictureReadError("BMP size not accepted");
    const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
    if (off > file.size() || file.size() - off < stride * static_cast<std::size_t>(height))
        throw PictureReadError("BMP too short");
    canvas::Picture p(width, static_cast<int>(height));
    for (std::int64_t r = 0; r < height; ++r) {
        const std::uint8_t* s = file.data() + off + r * stride;
        const int y = static_cast<int>(h < 0 ? r : height - 1 - r);
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                p.SetPixel(x, y, canvas::Rgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]));
            } else {
                const std::size_t e = 54 + 4u * s[x];
                if (e + 3 > off) throw PictureReadError("BMP index past table");
                p.SetPixel(x, y, canvas::Rgb(file[e + 2], file[e + 1], file[e]));
            }
        }
    }
    p.ClearDirty();
    return p;
}

}  // namespace bmp

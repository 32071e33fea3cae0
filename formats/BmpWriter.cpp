// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/BmpWriter.h"

#include "formats/ByteWriter.h"

namespace bmp {

std::vector<std::uint8_t> Encode24(const canvas::Picture& picture) {
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    const std::size_t height = static_cast<std::size_t>(picture.Height());
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    const std::size_t size = 54 + stride * height;
    std::vector<std::uint8_t> out(size, 0);
    PutHeaders(out, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 24, 0,
               static_cast<std::uint32_t>(size));
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* dst = out.data() + 54 + (height - 1 - y) * stride;
        for (canvas::Colour c : picture.Row(static_cast<int>(y))) {
            *dst++ = static_cast<std::uint8_t>(canvas::BlueOf(c));
            *dst++ = static_cast<std::uint8_t>(canvas::GreenOf(c));
            *dst++ = static_cast<std::uint8_t>(canvas::RedOf(c));
        }
    }
    return out;
}

}  // namespace bmp

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reference pictures for the reader tests, read with libpng.

#include <png.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"

struct ReferencePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // 4 bytes per pixel, rows top-down

    canvas::Colour ColourAt(int x, int y) const {
        const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
        return canvas::Rgb(p[0], p[1], p[2]);
    }
    bool Opaque(int x, int y) const { return rgba[(static_cast<std::size_t>(y) * width + x) * 4 + 3] == 255; }
};

inline std::optional<ReferencePicture> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGBA;
    ReferencePicture ref;
    ref.width = static_cast<int>(image.width);
    ref.height = static_cast<int>(image.height);
    ref.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, ref.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return ref;
}

// The number of opaque reference pixels whose colour differs from the
// picture's by more than `tolerance` in any component; -1 for a size mismatch.
inline long CountDifferences(const canvas::Picture& picture, const ReferencePicture& ref, int tolerance) {
    if (picture.Width() != ref.width || picture.Height() != ref.height) return -1;
    long differences = 0;
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x) {
            if (!ref.Opaque(x, y)) continue;
            const canvas::Colour a = picture.GetPixel(x, y);
            const canvas::Colour b = ref.ColourAt(x, y);
            const auto far = [tolerance](int u, int v) { return u - v > tolerance || v - u > tolerance; };
            if (far(canvas::RedOf(a), canvas::RedOf(b)) || far(canvas::GreenOf(a), canvas::GreenOf(b)) ||
                far(canvas::BlueOf(a), canvas::BlueOf(b)))
                ++differences;
        }
    return differences;
}

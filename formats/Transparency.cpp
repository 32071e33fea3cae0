// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Transparency.h"

#include <vector>

namespace {

int Blend(int c, int alpha, int over) { return (c * alpha + over * (255 - alpha) + 127) / 255; }

// The cube entry of a colour whose components all lie on the levels 0, 51,
// ..., 255; -1 for any other colour.
int CubeEntryOf(canvas::Colour c) {
    const int r = canvas::RedOf(c), g = canvas::GreenOf(c), b = canvas::BlueOf(c);
    if (r % 51 != 0 || g % 51 != 0 || b % 51 != 0) return -1;
    return r / 51 + 6 * (g / 51) + 36 * (b / 51);
}

}  // namespace

canvas::Colour CompositeOver(canvas::Colour colour, int alpha, canvas::Colour over) {
    return canvas::Rgb(Blend(canvas::RedOf(colour), alpha, canvas::RedOf(over)),
                       Blend(canvas::GreenOf(colour), alpha, canvas::GreenOf(over)),
                       Blend(canvas::BlueOf(colour), alpha, canvas::BlueOf(over)));
}

canvas::Colour ChooseTransparentColour(const PictureWithAlpha& picture) {
    const canvas::Picture& colours = picture.colours;
    std::vector<bool> cubeUsed(216, false);
    for (int y = 0; y < colours.Height(); ++y) {
        const auto row = colours.Row(y);
        const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(colours.Width());
        for (std::size_t x = 0; x < row.size(); ++x) {
            if (picture.HasTransparency() && picture.alpha[rowStart + x] != 255) continue;
            const int entry = CubeEntryOf(row[x]);
            if (entry >= 0) cubeUsed[static_cast<std::size_t>(entry)] = true;
        }
    }
    const canvas::Colour magenta = canvas::Rgb(255, 0, 255);
    if (!cubeUsed[static_cast<std::size_t>(CubeEntryOf(magenta))]) return magenta;
    for (int d = 0; d < 216; ++d)
        if (!cubeUsed[static_cast<std::size_t>(d)]) return canvas::Rgb(51 * (d % 6), 51 * (d / 6 % 6), 51 * (d / 36));
    // Every cube colour is opaque somewhere (a picture of at least 216
    // pixels): the first colour of all that no opaque pixel has.
    std::vector<bool> used(std::size_t{1} << 24, false);
    for (int y = 0; y < colours.Height(); ++y) {
        const auto row = colours.Row(y);
        const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(colours.Width());
        for (std::size_t x = 0; x < row.size(); ++x)
            if (picture.alpha[rowStart + x] == 255) used[row[x]] = true;
    }
    canvas::Colour c = 0;
    while (used[c]) ++c;
    return c;
}

TransparencyResult ApplyTransparency(PictureWithAlpha picture, std::optional<canvas::Colour> transparent) {
    TransparencyResult result;
    result.transparent = transparent;
    if (!picture.HasTransparency()) {
        result.picture = std::move(picture.colours);
        return result;
    }
    if (!result.transparent) {
        result.transparent = ChooseTransparentColour(picture);
        result.chosen = true;
    }
    const canvas::Colour t = *result.transparent & 0xFFFFFF;
    canvas::Picture& colours = picture.colours;
    std::vector<canvas::Colour> row(static_cast<std::size_t>(colours.Width()));
    for (int y = 0; y < colours.Height(); ++y) {
        const auto in = colours.Row(y);
        const std::uint8_t* alpha = picture.alpha.data() + static_cast<std::size_t>(y) * row.size();
        for (std::size_t x = 0; x < row.size(); ++x) {
            const int a = alpha[x];
            if (a == 255) {
                row[x] = in[x];
            } else if (a == 0) {
                row[x] = t;
            } else {
                row[x] = CompositeOver(in[x], a, t);
                ++result.partlyTransparent;
            }
        }
        colours.SetRow(y, row);
    }
    result.picture = std::move(colours);
    return result;
}

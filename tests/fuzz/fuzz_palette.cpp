// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a palette file of every format: refused with a reason or
// read as 1 to 256 colours, and a written palette reads back the same.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace palette_file;
    for (const Format format : {Format::Gpl, Format::JascPal, Format::PaintNet, Format::Hex, Format::Act}) {
        Palette palette;
        try {
            palette = Parse(std::span<const std::uint8_t>(data, size), format);
        } catch (const PaletteFileError&) {
            continue;
        }
        if (palette.empty() || palette.size() > MaxColours) std::abort();
        for (const Format written : {Format::Gpl, Format::JascPal, Format::Hex})
            if (Parse(Write(palette, written), written) != palette) std::abort();
    }
    return 0;
}

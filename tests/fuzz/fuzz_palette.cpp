// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a palette file of every format: refused with a reason or
// read as 1 to 256 colours, and a written palette reads back the same. The
// same bytes as a picture used as a palette, of each picture format: its
// table from the header, or its colours within the pixel budget.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/PaletteFile.h"
#include "formats/PictureFormats.h"
#include "formats/PictureReadError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace palette_file;
    for (const Format format : {Format::Gpl, Format::JascPal, Format::PaintNet, Format::Hex, Format::Act}) {
        Palette palette;
        ReadNotes notes;
        try {
            palette = Parse(std::span<const std::uint8_t>(data, size), format, &notes);
        } catch (const PaletteFileError&) {
            continue;
        }
        if (palette.empty() || palette.size() > MaxColours || notes.droppedAlpha > palette.size()) std::abort();
        for (const Format written : {Format::Gpl, Format::JascPal, Format::Hex})
            if (Parse(Write(palette, written), written) != palette) std::abort();
    }
    for (const char* name : {"p.bmp", "p.jpg", "p.png"}) {
        MemoryBytes file(std::span<const std::uint8_t>(data, size));
        try {
            const Palette palette = FromPictureFile(file, PictureFormatOf(name));
            if (palette.empty() || palette.size() > MaxColours) std::abort();
        } catch (const PaletteFileError&) {
        } catch (const PictureReadError&) {}
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed palette: the 216-colour cube, eight unused black entries, 31
// greys and white, both as the 32 x 8 palette picture and as the colour table
// of the 256-colour writer.
#include "core/FixedPalette.h"

#include "core/ControlTable.h"
#include "core/Form.h"

namespace {

constexpr int PaletteColumns = 32;
constexpr int PaletteRows = 8;
constexpr int CubeLevelStep = 51;
constexpr int GreyStep = 8;
constexpr int FirstGrey = 224;
constexpr int LastGrey = 254;

// A colour-table entry: blue in byte 0, green in byte 1, red in byte 2.
constexpr std::uint32_t TableEntry(canvas::Colour c) {
    return static_cast<std::uint32_t>(canvas::BlueOf(c)) | static_cast<std::uint32_t>(canvas::GreenOf(c)) << 8 |
           static_cast<std::uint32_t>(canvas::RedOf(c)) << 16;
}

}  // namespace

canvas::Colour FixedPaletteColour(int entry) {
    if (entry < 216) {
        // Red varies fastest, blue slowest.
        const int u = entry / 36, v = entry / 6 % 6, w = entry % 6;
        return canvas::Rgb(CubeLevelStep * w, CubeLevelStep * v, CubeLevelStep * u);
    }
    // Entries 216..223 are unused black.
    if (entry < FirstGrey) return canvas::Black;
    if (entry <= LastGrey) {
        const int level = GreyStep * (entry - (FirstGrey - 1));
        return canvas::Rgb(level, level, level);
    }
    return canvas::White;
}

std::array<std::uint32_t, 256> FixedPaletteTable() {
    std::array<std::uint32_t, 256> table{};
    for (int entry = 0; entry < 256; ++entry)
        table[static_cast<std::size_t>(entry)] = TableEntry(FixedPaletteColour(entry));
    return table;
}

void TForm1::BuildFixedPalette() {
    PalettePicture.SetSize(PaletteColumns, PaletteRows);
    Palette256 = FixedPaletteTable();
    for (int entry = 0; entry < 256; ++entry)
        PalettePicture.SetPixel(entry % PaletteColumns, entry / PaletteColumns, FixedPaletteColour(entry));
}

void TForm1::DrawPaletteView() {
    const ControlInfo& info = InfoOf(ControlId::Pallete);
    Pallete.SetSize(info.width, info.height);
    const std::vector<canvas::Colour>* user = ShownUserPalette();
    if (!user) {
        Pallete.StretchDraw({0, 0, info.width, info.height}, PalettePicture);
        return;
    }
    // The same 32 x 8 grid; the cells past the palette's end stay black, as
    // the fixed palette's unused entries are.
    canvas::Picture cells(PaletteColumns, PaletteRows);
    for (std::size_t i = 0; i < user->size() && i < 256; ++i)
        cells.SetPixel(static_cast<int>(i % PaletteColumns), static_cast<int>(i / PaletteColumns), (*user)[i]);
    Pallete.StretchDraw({0, 0, info.width, info.height}, cells);
}

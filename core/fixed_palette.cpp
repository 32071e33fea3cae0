// The fixed palette: the 216-colour cube, eight unused black entries, 31
// greys and white, both as the 32 x 8 palette picture and as the colour table
// of the 256-colour writer.
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

void TForm1::BuildFixedPalette() {
    PalettePicture.SetSize(PaletteColumns, PaletteRows);
    PalettePicture.SetBrushColour(canvas::Black);
    PalettePicture.FillRect({0, 0, PaletteColumns, PaletteRows});
    Palette256.fill(0);

    auto set = [this](int entry, canvas::Colour c) {
        Palette256[static_cast<std::size_t>(entry)] = TableEntry(c);
        PalettePicture.SetPixel(entry % PaletteColumns, entry / PaletteColumns, c);
    };
    // Red varies fastest, blue slowest.
    for (int u = 0; u < 6; ++u)
        for (int v = 0; v < 6; ++v)
            for (int w = 0; w < 6; ++w)
                set(36 * u + 6 * v + w, canvas::Rgb(CubeLevelStep * w, CubeLevelStep * v, CubeLevelStep * u));
    // Entries 216..223 stay black (zero) from the fill above.
    for (int d = FirstGrey; d <= LastGrey; ++d) {
        const int level = GreyStep * (d - (FirstGrey - 1));
        set(d, canvas::Rgb(level, level, level));
    }
    set(255, canvas::White);
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

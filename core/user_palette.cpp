// SPDX-License-Identifier: GPL-3.0-or-later
// The user palette option: the palette view shows the user's own palette
// (a loaded palette file, else the sheet's colour table) instead of the
// fixed one, laid out the same way.
#include "core/ControlTable.h"
#include "core/Form.h"

const std::vector<canvas::Colour>* TForm1::ShownUserPalette() const {
    if (!Options.userPalette) return nullptr;
    if (!project.UserPalette.empty()) return &project.UserPalette;
    if (!project.Sheet.ColourTable.empty()) return &project.Sheet.ColourTable;
    return nullptr;
}

std::optional<std::size_t> TForm1::UserPaletteEntryAt(int X, int Y) const {
    const std::vector<canvas::Colour>* shown = ShownUserPalette();
    const ControlInfo& info = InfoOf(ControlId::Pallete);
    if (!shown || X < 0 || Y < 0 || X >= info.width || Y >= info.height) return std::nullopt;
    // 32 cells a row, 8 rows, over the whole view.
    const std::size_t entry =
        static_cast<std::size_t>(Y * 8 / info.height) * 32 + static_cast<std::size_t>(X * 32 / info.width);
    if (entry >= shown->size()) return std::nullopt;
    return entry;
}

void TForm1::UserPaletteMenuClick() {
    Options.userPalette = !Options.userPalette;
    ShowOptions();
    DrawPaletteView();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SheetDocument.h"

// Versions are unique across chips, so that a view that shows another chip
// in the same place sees a change too.
// A new sheet is black.
SheetDocument::SheetDocument() {
    for (std::uint64_t& v : versions_) v = nextVersion_++;
    for (canvas::Picture& chip : chips_) chip.SetSize(sheet::ChipSize, sheet::ChipSize);
}

canvas::Picture& SheetDocument::ChangeChip(int col, int row) {
    const std::size_t slot = sheet::SlotOf(col, row);
    versions_[slot] = nextVersion_++;
    return chips_[slot];
}

void SheetDocument::CutIntoChips(const canvas::Picture& picture) {
    if (picture.Width() != sheet::Width || picture.Height() != sheet::Height) {
        // Cut to the sheet's size first: black wherever it is smaller.
        canvas::Picture sized(sheet::Width, sheet::Height);
        sized.Draw(0, 0, picture);
        return CutIntoChips(sized);
    }
    constexpr int s = sheet::ChipSize;
    for (int r = 0; r < sheet::Rows; ++r) {
        for (int c = 0; c < sheet::Cols; ++c) {
            canvas::Picture& chip = ChangeChip(c, r);
            chip.SetSize(s, s);
            chip.CopyRect({0, 0, s, s}, picture, {c * s, r * s, (c + 1) * s, (r + 1) * s});
        }
    }
    // A picture taken whole is what it is: its terrain chips stay as they
    // came until the artist changes a block.
    SeeTerrainSources();
}

void SheetDocument::ComposeInto(canvas::Picture& sheetPicture) const {
    constexpr int s = sheet::ChipSize;
    sheetPicture.SetSize(sheet::Width, sheet::Height);
    for (int r = 0; r < sheet::Rows; ++r)
        for (int c = 0; c < sheet::Cols; ++c) sheetPicture.Draw(c * s, r * s, Chip(c, r));
}

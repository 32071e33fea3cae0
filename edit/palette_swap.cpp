// SPDX-License-Identifier: GPL-3.0-or-later
// A palette swap: with the user palette shown, a double-click on one of its
// entries gives the entry a new colour from the colour dialog, and every
// pixel of the sheet that had the entry's colour takes the new one.
#include "edit/EditorForm.h"

void EditorForm::SwapPaletteEntry(std::size_t entry) {
    const std::vector<canvas::Colour>* shown = ShownUserPalette();
    if (!shown || entry >= shown->size()) return;
    const canvas::Colour old = (*shown)[entry];
    // The transparent colour's entry stays transparent: its pixels are the
    // transparent ones of a PNG save.
    if (project.Sheet.TransparentColor == old) return;
    const std::optional<TColor> chosen = platform.ColourDialog(old);
    if (!chosen || *chosen == old) return;
    std::vector<canvas::Colour>& palette =
        project.UserPalette.empty() ? project.Sheet.ColourTable : project.UserPalette;
    palette[entry] = *chosen;

    // One step of the whole sheet with the history on (undo brings back the
    // pixels and the entry's colour); the one-level undo must not bring back
    // the old colour in the current chip alone.
    project.RecordSheet({CurCol, CurRow}, project.PaletteEntryStep(entry, *chosen, old));
    // The drawing colours go with their entry: the next stroke paints the
    // palette's colour, not one that has left it.
    if (LeftColor == old) SetLeftColor(*chosen);
    if (RightColor == old) SetRightColor(*chosen);
    for (int row = 0; row < Def.SheetRows; ++row)
        for (int col = 0; col < Def.SheetCols; ++col) {
            const canvas::Picture& chip = Chip(col, row);
            bool has = false;
            for (int y = 0; y < chip.Height() && !has; ++y)
                for (const canvas::Colour c : chip.Row(y)) has = has || c == old;
            if (!has) continue;
            canvas::Picture& changed = ChangeChip(col, row);
            for (int y = 0; y < changed.Height(); ++y)
                for (int x = 0; x < changed.Width(); ++x)
                    if (changed.GetPixel(x, y) == old) changed.SetPixel(x, y, *chosen);
            Modified = true;
        }
    DrawPaletteView();
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The palette view and the colour dialog: the two drawing colours chosen
// from outside the chip and the sheet.
#include "edit/EditorForm.h"

void EditorForm::PalleteMouseMove(ShiftState, int X, int Y) {
    // While a button pressed here is held, moves may report positions outside
    // the view; there is no swatch there, so the last text stays.
    if (!Pallete.Contains(X, Y)) return;
    controls.SetCaption(ControlId::clP, "RGB-" + ColourText(Pallete.GetPixel(X, Y)));
}

void EditorForm::PalleteMouseDown(MouseButton Button, ShiftState Shift, int X, int Y) {
    if (!Pallete.Contains(X, Y)) return;
    // A double-click on an entry of the user palette swaps its colour; its
    // first click has picked the colour already.
    if (Shift.Has(ShiftKey::Double) && Button == MouseButton::Left) {
        if (const std::optional<std::size_t> entry = UserPaletteEntryAt(X, Y)) return SwapPaletteEntry(*entry);
    }
    const TColor c = Pallete.GetPixel(X, Y);
    if (Button == MouseButton::Left)
        SetLeftColor(c);
    else if (Button == MouseButton::Right)
        SetRightColor(c);
}

void EditorForm::ColorSelect(ControlId Sender) {
    const std::optional<TColor> c = platform.ColourDialog(std::nullopt);
    if (!c) return;
    if (Sender == ControlId::lbP)
        SetLeftColor(*c);
    else if (Sender == ControlId::rbP)
        SetRightColor(*c);
}

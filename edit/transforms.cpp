// SPDX-License-Identifier: GPL-3.0-or-later
// The Move/Transform menu: shifts by one pixel, the transpose and the two
// mirrors of the chip, or the block, being edited. SheetImage serves as the copy of the old
// chip; whoever needs the whole sheet composes it afresh.
#include "edit/EditorForm.h"

namespace {

struct ChipShift {
    int dx, dy;
};

std::optional<ChipShift> ShiftOf(ControlId item) {
    switch (item) {
        case ControlId::UpMenu: return ChipShift{0, -1};
        case ControlId::RightMenu: return ChipShift{1, 0};
        case ControlId::DownMenu: return ChipShift{0, 1};
        case ControlId::LeftMenu: return ChipShift{-1, 0};
        default: return std::nullopt;
    }
}

bool IsReflection(ControlId item) {
    return item == ControlId::XYMenu || item == ControlId::UpsetMenu || item == ControlId::VrevMenu;
}

// Writes every pixel of the chip from the old chip in `old`, read at (j, i)
// and written where the item sends it. The exchange of X and Y needs a
// square.
void Reflect(ControlId item, canvas::Picture& chip, const canvas::Picture& old) {
    const int w = chip.Width(), h = chip.Height();
    if (item == ControlId::XYMenu && w != h) return;
    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            switch (item) {
                case ControlId::XYMenu: chip.SetPixel(j, i, old.GetPixel(i, j)); break;
                case ControlId::UpsetMenu: chip.SetPixel(j, h - 1 - i, old.GetPixel(j, i)); break;
                case ControlId::VrevMenu: chip.SetPixel(w - 1 - j, i, old.GetPixel(j, i)); break;
                default: return;
            }
        }
    }
}

}  // namespace

void EditorForm::MoveMenuClick(ControlId Sender) {
    const std::optional<ChipShift> shift = ShiftOf(Sender);
    if (!shift && !IsReflection(Sender)) return;  // the separator

    Modified = true;
    TakeUndoCopy();

    // The chip, or the block as one picture.
    ChangeEdited([&](canvas::Picture& chip) {
        const int w = chip.Width(), h = chip.Height();
        SheetImage.SetSize(w, h);
        SheetImage.Draw(0, 0, chip);
        if (shift && WrapDrawing()) {
            chip.DrawWrapped(shift->dx, shift->dy, SheetImage);
        } else if (shift) {
            chip.SetBrushColour(0x000000);
            chip.FillRect({0, 0, w, h});
            chip.Draw(shift->dx, shift->dy, SheetImage);
        } else {
            Reflect(Sender, chip, SheetImage);
        }
    });

    RefreshEditArea();
    ShowEditedOnSheet();
}

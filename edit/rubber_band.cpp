// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/rubber_band.h"

void ShowRubberBand(TForm1& form, const std::function<void(canvas::Picture&)>& drawShape) {
    if (form.BlockEditing()) {
        // The block is a picture of its own: the chips are never touched.
        canvas::Picture block = form.EditedPicture();
        drawShape(block);
        const int z = form.EditZoom();
        form.EditI.StretchDraw({0, 0, block.Width() * z, block.Height() * z}, block);
        form.DrawEditGrid(form.Def.ChipSize);
        form.ScreenI.Draw(form.CurCol * form.Def.ChipSize, form.CurRow * form.Def.ChipSize, block);
        form.FrameEditedOnSheet();
        return;
    }
    const std::uint64_t unchanged = form.project.Sheet.Version(form.CurCol, form.CurRow);
    canvas::Picture& chip = form.ChangeChip(form.CurCol, form.CurRow);
    form.PreviewImage.SetSize(chip.Width(), chip.Height());
    form.PreviewImage.Draw(0, 0, chip);
    drawShape(chip);
    form.RefreshEditArea();
    form.DrawChip(form.CurCol, form.CurRow, true);
    chip.Draw(0, 0, form.PreviewImage);
    form.project.Sheet.TakeBackChange(form.CurCol, form.CurRow, unchanged);
}

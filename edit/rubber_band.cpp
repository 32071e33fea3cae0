#include "edit/rubber_band.h"

void ShowRubberBand(TForm1& form, const std::function<void(TForm1&)>& drawShape) {
    const std::uint64_t unchanged = form.Sheet.Version(form.CurCol, form.CurRow);
    canvas::Picture& chip = form.ChangeChip(form.CurCol, form.CurRow);
    form.PreviewImage.SetSize(chip.Width(), chip.Height());
    form.PreviewImage.Draw(0, 0, chip);
    drawShape(form);
    form.RefreshEditArea();
    form.DrawChip(form.CurCol, form.CurRow, true);
    chip.Draw(0, 0, form.PreviewImage);
    form.Sheet.TakeBackChange(form.CurCol, form.CurRow, unchanged);
}

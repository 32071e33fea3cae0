#include "edit/pen_block.h"

namespace {

// First pixel of a cell after its grid line: one pixel after a single line,
// two after the double line that follows every eighth chip pixel, none while
// the lines are erased.
int CellOffset(int p, bool gridShown) {
    if (!gridShown) return 0;
    return (p > 0 && p % 8 == 0) ? 2 : 1;
}

}  // namespace

void PaintPenBlock(TForm1& form, int x, int y, TColor colour) {
    const int size = form.PenSize;
    const int h = size / 2;
    const int zoom = form.Def.Zoom;
    const int n = form.Def.ChipSize;
    const bool gridShown = !form.controls.Checked(ControlId::UnMenu);
    canvas::Picture& chip = form.Chip(form.CurCol, form.CurRow);

    form.EditI.SetBrushColour(colour);
    for (int py = y - h; py < y - h + size; ++py) {
        if (py < 0 || py >= n) continue;
        for (int px = x - h; px < x - h + size; ++px) {
            if (px < 0 || px >= n) continue;
            form.EditI.FillRect({px * zoom + CellOffset(px, gridShown), py * zoom + CellOffset(py, gridShown),
                                 px * zoom + zoom, py * zoom + zoom});
            chip.SetPixel(px, py, colour);
        }
    }
    form.DrawChip(form.CurCol, form.CurRow, true);
}

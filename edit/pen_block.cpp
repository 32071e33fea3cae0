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
    const bool gridShown = !form.Options.editGridHidden;
    canvas::Picture& chip = form.ChangeChip(form.CurCol, form.CurRow);

    form.EditI.SetBrushColour(colour);
    const bool wrap = form.WrapDrawing();
    for (int by = y - h; by < y - h + size; ++by) {
        // With wrap-around drawing a pixel past an edge is the one at the
        // opposite edge.
        const int py = wrap ? canvas::Wrapped(by, n) : by;
        if (py < 0 || py >= n) continue;
        for (int bx = x - h; bx < x - h + size; ++bx) {
            const int px = wrap ? canvas::Wrapped(bx, n) : bx;
            if (px < 0 || px >= n) continue;
            form.EditI.FillRect({px * zoom + CellOffset(px, gridShown), py * zoom + CellOffset(py, gridShown),
                                 px * zoom + zoom, py * zoom + zoom});
            chip.SetPixel(px, py, colour);
        }
    }
    form.DrawChip(form.CurCol, form.CurRow, true);
}

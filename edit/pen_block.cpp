// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/pen_block.h"

namespace {

// First pixel of a cell after its grid line: one pixel after a single line,
// two after the double line that follows every eighth chip pixel (a block at
// zoom 2 has single lines only), none while the lines are erased. A block's
// chip borders (every `chipSize` pixels, 0 for no block) are lines too, and
// stay while the grid is erased.
int CellOffset(int p, bool gridShown, bool doubled, int chipSize) {
    const bool chipBorder = chipSize > 0 && p > 0 && p % chipSize == 0;
    if (!gridShown && !chipBorder) return 0;
    return (doubled && p > 0 && (p % 8 == 0 || chipBorder)) ? 2 : 1;
}

}  // namespace

void PaintPenBlock(TForm1& form, int x, int y, TColor colour) {
    const int size = form.PenSize;
    const int h = size / 2;
    const int zoom = form.EditZoom();
    const int n = form.Def.ChipSize;
    const int width = form.EditWidth(), height = form.EditHeight();
    const bool block = form.BlockEditing();
    const bool gridShown = !form.Options.editGridHidden;
    const bool doubled = !block || zoom > 2;
    const int border = block ? n : 0;

    // The chip's version moves on at every pen block, as it always has.
    if (!block) form.ChangeChip(form.CurCol, form.CurRow);
    // A block's chips that the pen changed, to draw again on the sheet.
    bool changed[EditorOptions::MaxBlockSide][EditorOptions::MaxBlockSide] = {};

    form.EditI.SetBrushColour(colour);
    const bool wrap = form.WrapDrawing();
    for (int by = y - h; by < y - h + size; ++by) {
        // With wrap-around drawing a pixel past an edge is the one at the
        // opposite edge.
        const int py = wrap ? canvas::Wrapped(by, height) : by;
        if (py < 0 || py >= height) continue;
        for (int bx = x - h; bx < x - h + size; ++bx) {
            const int px = wrap ? canvas::Wrapped(bx, width) : bx;
            if (px < 0 || px >= width) continue;
            form.EditI.FillRect({px * zoom + CellOffset(px, gridShown, doubled, border),
                                 py * zoom + CellOffset(py, gridShown, doubled, border), px * zoom + zoom,
                                 py * zoom + zoom});
            const int col = form.CurCol + px / n, row = form.CurRow + py / n;
            // A block's chip changes only where the pen changes a pixel.
            if (block && form.Chip(col, row).GetPixel(px % n, py % n) == colour) continue;
            form.ChangeChip(col, row).SetPixel(px % n, py % n, colour);
            changed[px / n][py / n] = true;
        }
    }
    if (!block) return form.DrawChip(form.CurCol, form.CurRow, true);
    for (int c = 0; c < form.EditCols(); ++c)
        for (int r = 0; r < form.EditRows(); ++r)
            if (changed[c][r]) form.DrawChip(form.CurCol + c, form.CurRow + r, false);
    form.FrameEditedOnSheet();
}

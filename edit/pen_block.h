// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Form.h"

// One block of the square pen, PenSize chip pixels on a side, at pixel
// (x, y) of the chip or the block of chips being edited. Each pixel inside the chip is set in the chip
// and its cell in the edit area is filled between the grid lines, so the edit
// area needs no full redraw; then the chip is drawn again on the sheet view.
void PaintPenBlock(TForm1& form, int x, int y, TColor colour);

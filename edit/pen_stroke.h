// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "edit/EditorForm.h"

// A pen stroke of the edit area, from a press to the last move with the
// button held. With the undo history on the stroke is one step, recorded as
// it starts; with joined strokes every move paints the pen blocks along the
// straight line from the previous position, so that a fast drag leaves no
// gaps.
void StartPenStroke(EditorForm& form, int x, int y, TColor colour);
// A move of the pen tool to chip pixel (x, y): paints while the left or the
// right button alone is held, and ends the stroke otherwise.
void MovePen(EditorForm& form, ShiftState shift, int x, int y);

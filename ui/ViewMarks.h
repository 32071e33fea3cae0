// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class QPainter;
class TForm1;

namespace ui {

// Marks the views paint over the editor's pictures, never into them, in two
// tones so that no pixel colour hides them. `pixel` is the logical size of
// one picture pixel of the view.

// The sheet view: while the animation option is on, a corner mark on every
// chip that is a frame of an animation.
void PaintAnimatedChipMarks(QPainter& painter, qreal pixel, const TForm1& form);

// The tile preview among the neighbours: corner brackets round the chip (or
// block) in the middle.
void PaintMiddleChipMarks(QPainter& painter, qreal pixel, const TForm1& form);

}  // namespace ui

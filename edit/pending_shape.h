// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Form.h"

// The corners handed to the ellipse for the first point (sx, sy) and the
// second point (x, y): one past the larger coordinate on each axis, so that
// the box includes both clicked pixels. When the points share a column or a
// row the corners are the points themselves, a box of zero width or height.
struct EllipseCorners {
    int a, b, c, d;
    friend bool operator==(const EllipseCorners&, const EllipseCorners&) = default;
};
EllipseCorners EllipseBox(int sx, int sy, int x, int y);

// Draws the shape whose first point is pending onto `chip` (the chip being
// edited, or the block as one picture), to its pixel (x, y): with EllipsePending the ellipse (interior LeftColor,
// outline RightColor), with LinePending the line from (StartX, StartY) in the colour of the button that began it. Other
// modes draw nothing.
void DrawPendingShape(const TForm1& form, canvas::Picture& chip, int x, int y);

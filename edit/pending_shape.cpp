// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/pending_shape.h"

EllipseCorners EllipseBox(int sx, int sy, int x, int y) {
    if (sx < x && sy < y) return {sx, sy, x + 1, y + 1};
    if (sx > x && sy < y) return {sx + 1, sy, x, y + 1};
    if (sx > x && sy > y) return {sx + 1, sy + 1, x, y};
    if (sx < x && sy > y) return {sx, sy + 1, x + 1, y};
    return {sx, sy, x, y};
}

void DrawPendingShape(const TForm1& form, canvas::Picture& chip, int x, int y) {
    if (form.Def.ToolMode == tool_mode::EllipsePending) {
        const EllipseCorners box = EllipseBox(form.StartX, form.StartY, x, y);
        chip.SetBrushColour(form.LeftColor);
        chip.SetPenColour(form.RightColor);
        if (form.WrapDrawing())
            chip.EllipseWrapped(box.a, box.b, box.c, box.d);
        else
            chip.Ellipse(box.a, box.b, box.c, box.d);
    } else if (form.Def.ToolMode == tool_mode::LinePending) {
        // The colours are read now, so a colour chosen after the first press
        // is the one the line gets.
        chip.SetPenColour(form.LineLeftButton ? form.LeftColor : form.RightColor);
        chip.MoveTo(form.StartX, form.StartY);
        if (form.WrapDrawing())
            chip.LineToWrapped(x, y);
        else
            chip.LineTo(x, y);
    }
}

// Presses and moves of the mouse in the edit area: the pen, the fill, the
// ellipse and the line on the chip being edited, colour picks from it, and
// the position text.
#include "core/Form.h"
#include "edit/pen_block.h"
#include "edit/pen_stroke.h"
#include "edit/pending_shape.h"
#include "edit/position_text.h"
#include "edit/rubber_band.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};
const ShiftState CtrlLeft{ShiftKey::Ctrl, ShiftKey::Left};
const ShiftState CtrlRight{ShiftKey::Ctrl, ShiftKey::Right};

bool InsideChip(const TForm1& form, int x, int y) {
    return x >= 0 && y >= 0 && x < form.Def.ChipSize && y < form.Def.ChipSize;
}

}  // namespace

void TForm1::EditIMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    Modified = true;
    PenTrail.open = false;  // every press ends the stroke before it
    const int x = X / Def.Zoom;
    const int y = Y / Def.Zoom;
    canvas::Picture& chip = ChangeChip(CurCol, CurRow);

    // A pick outside the chip (the grid line beyond its last pixel) has no
    // pixel to read and is ignored.
    if (Shift == CtrlLeft || Shift == CtrlRight) {
        if (!InsideChip(*this, x, y)) return;
        if (Shift == CtrlLeft)
            SetLeftColor(chip.GetPixel(x, y));
        else
            SetRightColor(chip.GetPixel(x, y));
        return;
    }

    TColor colour;
    if (Shift == LeftOnly)
        colour = LeftColor;
    else if (Shift == RightOnly)
        colour = RightColor;
    else
        return;

    switch (Def.ToolMode) {
        case tool_mode::Pen: StartPenStroke(*this, x, y, colour); break;
        case tool_mode::Fill: {
            TakeUndoCopy();
            const TColor seed = chip.GetPixel(x, y);
            chip.SetBrushColour(colour);
            if (WrapDrawing())
                chip.FloodFillSurfaceWrapped(x, y, seed);
            else
                chip.FloodFillSurface(x, y, seed);
            RefreshEditArea();
            DrawChip(CurCol, CurRow, true);
            break;
        }
        case tool_mode::Ellipse:  // the ellipse's first corner
            StartX = x;
            StartY = y;
            Def.ToolMode = tool_mode::EllipsePending;
            break;
        case tool_mode::Line:  // the line's start point, and the button whose colour it takes
            StartX = x;
            StartY = y;
            LineLeftButton = Shift == LeftOnly;
            Def.ToolMode = tool_mode::LinePending;
            break;
        case tool_mode::EllipsePending:
        case tool_mode::LinePending:
            TakeUndoCopy();
            DrawPendingShape(*this, x, y);
            RefreshEditArea();
            DrawChip(CurCol, CurRow, true);
            Def.ToolMode = tool_mode::WithoutPendingPoint(Def.ToolMode);
            break;
        default: break;
    }
}

void TForm1::EditIMouseMove(ShiftState Shift, int X, int Y) {
    const int x = X / Def.Zoom;
    const int y = Y / Def.Zoom;
    // A joined stroke goes on past the chip's right and bottom edges, so
    // that it comes back in where the pointer does.
    if (Options.strokeJoin && !WrapDrawing() && Def.ToolMode == tool_mode::Pen &&
        (x >= Def.ChipSize || y >= Def.ChipSize))
        return MovePen(*this, Shift, x, y);
    // With wrap-around drawing a drag past the right or bottom edge goes on
    // at the opposite edge.
    if (!WrapDrawing() && (x >= Def.ChipSize || y >= Def.ChipSize)) return;

    // Read before this move draws anything; left of or above the chip the
    // pixel reads black. With wrap-around drawing the text names the pixel
    // the move draws on, at the opposite edge.
    const int n = Def.ChipSize;
    const int shownX = WrapDrawing() ? WrapIntoChip(x, n) : x;
    const int shownY = WrapDrawing() ? WrapIntoChip(y, n) : y;
    controls.SetCaption(ControlId::EditPos,
                        PositionText(shownX, shownY, Chip(CurCol, CurRow).GetPixel(shownX, shownY)));

    switch (Def.ToolMode) {
        case tool_mode::Pen: MovePen(*this, Shift, x, y); break;
        case tool_mode::EllipsePending:
        case tool_mode::LinePending:
            ShowRubberBand(*this, [x, y](TForm1& form) { DrawPendingShape(form, x, y); });
            break;
        default: break;
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and moves of the mouse in the edit area: the pen, the fill, the
// ellipse and the line on the chip being edited, colour picks from it, and
// the position text.
#include "edit/EditorForm.h"
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

// Inside the chip, or the block, that the edit area shows.
bool InsideChip(const TForm1& form, int x, int y) {
    return x >= 0 && y >= 0 && x < form.EditWidth() && y < form.EditHeight();
}

}  // namespace

void EditorForm::EditIMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    Shift = PressShift(Shift);
    Modified = true;
    PenTrail.open = false;  // every press ends the stroke before it
    const int x = X / EditZoom();
    const int y = Y / EditZoom();
    // The chip's version moves on at every press, as it always has; a
    // block's chips only where they change.
    if (!BlockEditing()) ChangeChip(CurCol, CurRow);

    // A pick outside the chip (the grid line beyond its last pixel) has no
    // pixel to read and is ignored.
    if (Shift == CtrlLeft || Shift == CtrlRight) {
        if (!InsideChip(*this, x, y)) return;
        if (Shift == CtrlLeft)
            SetLeftColor(EditedPixel(x, y));
        else
            SetRightColor(EditedPixel(x, y));
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
            ChangeEdited([&](canvas::Picture& edited) {
                const TColor seed = edited.GetPixel(x, y);
                edited.SetBrushColour(colour);
                if (WrapDrawing())
                    edited.FloodFillSurfaceWrapped(x, y, seed);
                else
                    edited.FloodFillSurface(x, y, seed);
            });
            RefreshEditArea();
            ShowEditedOnSheet();
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
            ChangeEdited([&](canvas::Picture& edited) { DrawPendingShape(*this, edited, x, y); });
            RefreshEditArea();
            ShowEditedOnSheet();
            Def.ToolMode = tool_mode::WithoutPendingPoint(Def.ToolMode);
            break;
        default: break;
    }
}

void EditorForm::EditIMouseMove(ShiftState Shift, int X, int Y) {
    const int x = X / EditZoom();
    const int y = Y / EditZoom();
    const int width = EditWidth(), height = EditHeight();
    // A joined stroke goes on past the chip's right and bottom edges, so
    // that it comes back in where the pointer does.
    if (Options.strokeJoin && !WrapDrawing() && Def.ToolMode == tool_mode::Pen && (x >= width || y >= height))
        return MovePen(*this, Shift, x, y);
    // With wrap-around drawing a drag past the right or bottom edge goes on
    // at the opposite edge.
    if (!WrapDrawing() && (x >= width || y >= height)) return;

    // Read before this move draws anything; left of or above the chip the
    // pixel reads black. With wrap-around drawing the text names the pixel
    // the move draws on, at the opposite edge.
    const int shownX = WrapDrawing() ? WrapIntoChip(x, width) : x;
    const int shownY = WrapDrawing() ? WrapIntoChip(y, height) : y;
    controls.SetCaption(ControlId::EditPos, PositionText(shownX, shownY, EditedPixel(shownX, shownY)));

    switch (Def.ToolMode) {
        case tool_mode::Pen: MovePen(*this, Shift, x, y); break;
        case tool_mode::EllipsePending:
        case tool_mode::LinePending:
            ShowRubberBand(*this, [this, x, y](canvas::Picture& edited) { DrawPendingShape(*this, edited, x, y); });
            break;
        default: break;
    }
}

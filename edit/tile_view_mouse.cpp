// SPDX-License-Identifier: GPL-3.0-or-later
// Presses and moves of the mouse in the tile preview. The middle place is
// the chip being edited and the preview an edit area round it: the tools
// draw there as in the edit area, and past the middle place as past the
// chip's edges (so with wrap-around drawing they continue at the opposite
// edge). Showing the neighbours, a press on a neighbour draws on that
// neighbour instead, a pixel at a time as a press with Shift on the sheet
// view does, and so does the drag it starts.
#include "edit/EditorForm.h"
#include "edit/position_text.h"

namespace {

const ShiftState LeftOnly{ShiftKey::Left};
const ShiftState RightOnly{ShiftKey::Right};

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

struct Position {
    int x, y;
};

int TileZoomOf(const TForm1& form) {
    const int n = form.EditWidth();
    return n > 0 && form.TileI.Width() > 0 ? std::max(form.TileI.Width() / (TilePreview::Side * n), 1) : 1;
}

// The chip pixel under a preview position, counted from the middle chip's
// (or block's) top-left (negative or past the chip outside it).
Position ChipPixel(const TForm1& form, int X, int Y) {
    const int z = TileZoomOf(form);
    return {FloorDiv(X, z) - form.EditWidth(), FloorDiv(Y, z) - form.EditHeight()};
}

bool InsideChip(const TForm1& form, Position p) {
    return p.x >= 0 && p.y >= 0 && p.x < form.EditWidth() && p.y < form.EditHeight();
}

// The sheet-view position under a preview position showing the neighbours;
// none outside the sheet.
std::optional<Position> SheetViewPosition(const TForm1& form, Position chipPixel) {
    const int n = form.Def.ChipSize;
    const Position p{chipPixel.x + form.CurCol * n, chipPixel.y + form.CurRow * n};
    if (p.x < 0 || p.y < 0 || p.x >= form.Def.SheetCols * n || p.y >= form.Def.SheetRows * n) return std::nullopt;
    return p;
}

// A plain press or drag draws on a neighbour as one with Shift on the sheet.
ShiftState AsOnSheet(ShiftState shift) {
    return shift == LeftOnly || shift == RightOnly ? shift.With(ShiftKey::Shift) : shift;
}

bool AnyButton(ShiftState shift) {
    return shift.Has(ShiftKey::Left) || shift.Has(ShiftKey::Right) || shift.Has(ShiftKey::Middle);
}

// The pixel a press at this position would change and its colour; nothing
// where a press changes nothing.
std::string TilePositionText(const TForm1& form, Position p) {
    const int n = form.Def.ChipSize;
    if (form.TileBoardNeighbours() && !InsideChip(form, p)) return "";
    if (form.Options.tileNeighbours && !InsideChip(form, p)) {
        const std::optional<Position> s = SheetViewPosition(form, p);
        if (!s) return "";
        return PositionText(s->x, s->y, form.Chip(s->x / n, s->y / n).GetPixel(s->x % n, s->y % n));
    }
    if (form.WrapDrawing()) p = {WrapIntoChip(p.x, form.EditWidth()), WrapIntoChip(p.y, form.EditHeight())};
    if (!InsideChip(form, p)) return "";
    return PositionText(p.x, p.y, form.EditedPixel(p.x, p.y));
}

}  // namespace

void EditorForm::TileIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y) {
    const Position p = ChipPixel(*this, X, Y);
    // Among the board's neighbours only the middle is drawn on: each
    // neighbour lies turned its own way.
    if (TileBoardNeighbours() && !InsideChip(*this, p)) return;
    TileDragOnSheet = Options.tileNeighbours && !InsideChip(*this, p);
    if (!TileDragOnSheet) return EditIMouseDown(Button, Shift, p.x * EditZoom(), p.y * EditZoom());
    if (const std::optional<Position> s = SheetViewPosition(*this, p))
        ScreenIMouseDown(Button, AsOnSheet(Shift), s->x, s->y);
}

void EditorForm::TileIMouseMove(ShiftState Shift, int X, int Y) {
    const Position p = ChipPixel(*this, X, Y);
    if (!AnyButton(Shift)) TileDragOnSheet = false;
    if (!TileDragOnSheet) {
        EditIMouseMove(Shift, p.x * EditZoom(), p.y * EditZoom());
    } else if (const std::optional<Position> s = SheetViewPosition(*this, p)) {
        ScreenIMouseMove(AsOnSheet(Shift), s->x, s->y);
    }
    controls.SetCaption(ControlId::EditPos, TilePositionText(*this, p));
}

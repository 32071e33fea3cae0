// Presses and moves of the mouse in the tile preview. Repeating the chip, the
// preview is an edit area whose middle copy is the chip and whose other
// copies lie past its edges: the tools draw there as in the edit area (so
// with wrap-around drawing they continue at the opposite edge). Showing the
// neighbours, it is a magnified window on the sheet and acts as the sheet
// view does.
#include "core/Form.h"

namespace {

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

struct SheetPosition {
    int x, y;
};

int TileZoomOf(const TForm1& form) {
    const int n = form.Def.ChipSize;
    return n > 0 && form.TileI.Width() > 0 ? form.TileI.Width() / (TilePreview::Side * n) : 1;
}

// The chip pixel under a preview position, counted from the middle copy's
// top-left (negative or past the chip outside it), in the edit area's pixels.
SheetPosition EditPosition(const TForm1& form, int X, int Y) {
    const int n = form.Def.ChipSize, z = std::max(TileZoomOf(form), 1);
    return {(FloorDiv(X, z) - n) * form.Def.Zoom, (FloorDiv(Y, z) - n) * form.Def.Zoom};
}

// The sheet-view position under a preview position showing the neighbours.
SheetPosition SheetViewPosition(const TForm1& form, int X, int Y) {
    const int n = form.Def.ChipSize, z = std::max(TileZoomOf(form), 1);
    return {FloorDiv(X, z) + (form.CurCol - 1) * n, FloorDiv(Y, z) + (form.CurRow - 1) * n};
}

}  // namespace

void TForm1::TileIMouseDown(MouseButton Button, ShiftState Shift, int X, int Y) {
    if (Options.tileNeighbours) {
        const SheetPosition p = SheetViewPosition(*this, X, Y);
        // Outside the sheet there is no chip to act on.
        if (p.x < 0 || p.y < 0 || p.x >= Def.SheetCols * Def.ChipSize || p.y >= Def.SheetRows * Def.ChipSize) return;
        return ScreenIMouseDown(Button, Shift, p.x, p.y);
    }
    const SheetPosition p = EditPosition(*this, X, Y);
    EditIMouseDown(Button, Shift, p.x, p.y);
}

void TForm1::TileIMouseMove(ShiftState Shift, int X, int Y) {
    if (Options.tileNeighbours) {
        const SheetPosition p = SheetViewPosition(*this, X, Y);
        if (p.x < 0 || p.y < 0 || p.x >= Def.SheetCols * Def.ChipSize || p.y >= Def.SheetRows * Def.ChipSize) return;
        return ScreenIMouseMove(Shift, p.x, p.y);
    }
    const SheetPosition p = EditPosition(*this, X, Y);
    EditIMouseMove(Shift, p.x, p.y);
}

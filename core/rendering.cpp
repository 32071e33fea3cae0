// Drawing the sheet view and the edit area, and composing the whole sheet.
// Everything goes through the canvas operations; the pen and brush colours
// each operation sets stay set afterwards.
#include "core/Form.h"

namespace {

constexpr canvas::Colour SheetBackground = 0x000000;
constexpr canvas::Colour SheetFrame = 0xFFFFFF;
constexpr canvas::Colour SheetGrid = 0xC0C0C0;
constexpr canvas::Colour CurrentChipFrame = 0x0000FF;
// The edit area doubles its grid line after every this many chip pixels.
constexpr int EditGridBlock = 8;

}  // namespace

void TForm1::Relayout(std::int32_t size, std::int32_t cols, std::int32_t rows) {
    // The extra pixel holds the right and bottom frame line.
    const int extra = Def.SheetGridShown ? 1 : 0;
    const int width = cols * size + extra;
    const int height = rows * size + extra;
    ScreenI.SetSize(width, height);
    ScreenI.SetBrushColour(SheetBackground);
    ScreenI.FillRect({0, 0, width, height});

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const canvas::Picture& chip = Chip(c, r);
            // SheetImage is left holding the last chip as it was before the
            // layout; a chip that already has the size stays as it is.
            if (r == rows - 1 && c == cols - 1) {
                SheetImage.SetSize(chip.Width(), chip.Height());
                SheetImage.Draw(0, 0, chip);
            }
            if (chip.Width() != size || chip.Height() != size) {
                // Through a copy, so that a chip that changes size keeps its
                // top-left pixels and is black wherever it grew.
                const canvas::Picture before = chip;
                canvas::Picture& resized = ChangeChip(c, r);
                resized.SetSize(size, size);
                resized.SetBrushColour(SheetBackground);
                resized.FillRect({0, 0, size, size});
                resized.Draw(0, 0, before);
            }
            ScreenI.Draw(c * size, r * size, chip);
        }
    }

    Def.ChipSize = size;
    Def.SheetCols = cols;
    Def.SheetRows = rows;

    SizeEditArea();
    DrawSheetFrame();
}

void TForm1::SizeEditArea() {
    const int edit = Def.ChipSize * Def.Zoom + (Options.editGridHidden ? 0 : 1);
    EditI.SetSize(edit, edit);
    RefreshEditArea();  // the chip stretched, then its grid lines
}

void TForm1::DrawSheetFrame() {
    const int s = Def.ChipSize;
    const int w = Def.SheetCols * s;
    const int h = Def.SheetRows * s;
    const int left = CurCol * s;
    const int top = CurRow * s;
    if (Def.SheetGridShown) {
        // The chips are not redrawn; the lines go over them.
        ScreenI.SetPenColour(SheetGrid);
        ScreenI.SetBrushColour(SheetFrame);
        ScreenI.FrameRect({0, 0, w + 1, h + 1});
        for (int i = 1; i < Def.SheetCols; ++i) ScreenI.Polyline({i * s, 0}, {i * s, h});
        for (int j = 1; j < Def.SheetRows; ++j) ScreenI.Polyline({0, j * s}, {w, j * s});
        // On the grid lines round the current chip.
        ScreenI.SetBrushColour(CurrentChipFrame);
        ScreenI.FrameRect({left, top, left + s + 1, top + s + 1});
    } else {
        ComposeSheet();
        ScreenI.Draw(0, 0, SheetImage);
        // On the outermost pixels of the current chip.
        ScreenI.SetBrushColour(CurrentChipFrame);
        ScreenI.FrameRect({left, top, left + s, top + s});
    }
}

void TForm1::DrawEditGrid(std::int32_t n) {
    if (Options.editGridHidden) return;
    const int z = Def.Zoom;
    const int end = n * z;
    EditI.SetPenColour(Def.GridLineColor);
    auto lines = [&](int at) {
        EditI.Polyline({at, 0}, {at, end + 1});
        EditI.Polyline({0, at}, {end, at});
    };
    for (int i = 0; i <= n; ++i) {
        lines(i * z);
        // The second line after the last boundary falls outside and is clipped.
        if (i > 0 && i % EditGridBlock == 0) lines(i * z + 1);
    }
}

void TForm1::DrawChip(std::int32_t c, std::int32_t r, bool withFrame) {
    const int s = Def.ChipSize;
    ScreenI.Draw(c * s, r * s, Chip(c, r));
    if (!withFrame) return;
    // With the grid shown the frame lies on the grid lines round the chip;
    // without it, on the chip's own outermost pixels.
    const int extra = Def.SheetGridShown ? 1 : 0;
    ScreenI.SetBrushColour(CurrentChipFrame);
    ScreenI.FrameRect({c * s, r * s, (c + 1) * s + extra, (r + 1) * s + extra});
}

void TForm1::RefreshEditArea() {
    const int side = Def.ChipSize * Def.Zoom;
    EditI.StretchDraw({0, 0, side, side}, Chip(CurCol, CurRow));
    DrawEditGrid(Def.ChipSize);
}

void TForm1::ComposeSheet() { Sheet.ComposeInto(SheetImage); }

void TForm1::CutIntoChips(const canvas::Picture& sheet) { Sheet.CutIntoChips(sheet); }

// The chip being edited becomes (col, row): the edit area shows it and the
// sheet view frames it.
void TForm1::ChooseChip(int col, int row) {
    DropPendingPoint();
    DrawChip(CurCol, CurRow, false);
    CurCol = col;
    CurRow = row;
    Sheet.History.DropOneLevel();
    RefreshEditArea();
    if (Def.SheetGridShown)
        DrawSheetFrame();
    else
        DrawChip(CurCol, CurRow, true);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the sheet view and the edit area, and composing the whole sheet.
// Everything goes through the canvas operations; the pen and brush colours
// each operation sets stay set afterwards.
#include <algorithm>

#include "core/Form.h"

namespace {

constexpr canvas::Colour SheetBackground = 0x000000;
constexpr canvas::Colour SheetFrame = 0xFFFFFF;
constexpr canvas::Colour SheetGrid = 0xC0C0C0;
constexpr canvas::Colour CurrentChipFrame = 0x0000FF;
// The edit area doubles its grid line after every this many chip pixels.
constexpr int EditGridBlock = 8;
// The lines between the chips of a block: dashes of black and white in turn
// (and the other way round on a doubled line), so that no pixel colour
// hides them.
constexpr canvas::Colour ChipBorderDark = 0x000000;
constexpr canvas::Colour ChipBorderLight = 0xFFFFFF;
constexpr int ChipBorderDash = 2;

}  // namespace

void TForm1::Relayout(std::int32_t size, std::int32_t cols, std::int32_t rows) {
    ReshapeSheet({size, cols, rows});
    size = project.Sheet.Geometry().chipSize;
    cols = project.Sheet.Geometry().cols;
    rows = project.Sheet.Geometry().rows;
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

void TForm1::ReshapeSheet(const SheetGeometry& geometry) {
    if (geometry != project.Sheet.Geometry() && sheet::Fits(geometry)) project.Sheet.Reshape(geometry);
    // The sheet may also have changed shape by a load or an undo; the board
    // knows the shape the views were last laid out for.
    const SheetGeometry& g = project.Sheet.Geometry();
    if (project.Board.Sheet() == g) return;
    DropPendingPoint();
    project.Board.FollowSheet(g);
    // The chip being edited stays where it is, or the nearest chip that is left.
    CurCol = std::min(CurCol, g.cols - 1);
    CurRow = std::min(CurRow, g.rows - 1);
    tilePreview.Forget();
    LayoutChanged = true;
    // The zoom's range follows the chip size.
    Def.ChipSize = g.chipSize;
    if (WideLayoutOn()) {
        Layout = RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, DeviceRatio);
        Def.Zoom = Layout.zoom;
    } else {
        Def.Zoom = ZoomWithinLayout(Def.Zoom);
    }
    ShowZoomChoice();
}

void TForm1::SizeEditArea() {
    const int grid = Options.editGridHidden ? 0 : 1;
    EditI.SetSize(EditWidth() * EditZoom() + grid, EditHeight() * EditZoom() + grid);
    if (BlockEditing()) ShowZoomChoice();
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
        ScreenI.FrameRect({left, top, left + EditCols() * s + 1, top + EditRows() * s + 1});
    } else {
        ComposeSheet();
        ScreenI.Draw(0, 0, SheetImage);
        // On the outermost pixels of the current chip.
        ScreenI.SetBrushColour(CurrentChipFrame);
        ScreenI.FrameRect({left, top, left + EditCols() * s, top + EditRows() * s});
    }
}

void TForm1::DrawEditGrid(std::int32_t n) {
    const int z = EditZoom();
    const int across = EditCols() * n, down = EditRows() * n;
    const int right = across * z, bottom = down * z;
    // A block at zoom 2 would lose a pixel to every double line.
    const bool doubled = !BlockEditing() || z > 2;
    if (Options.editGridHidden) {
        // The chips of a block keep their borders.
        if (BlockEditing()) DrawChipBorders(n, doubled);
        return;
    }
    auto vertical = [&](int at) { EditI.Polyline({at, 0}, {at, bottom + 1}); };
    auto horizontal = [&](int at) { EditI.Polyline({0, at}, {right, at}); };
    EditI.SetPenColour(Def.GridLineColor);
    auto lines = [&](int count, auto& line) {
        for (int i = 0; i <= count; ++i) {
            line(i * z);
            // The second line after the last boundary falls outside and is clipped.
            if (doubled && i > 0 && i % EditGridBlock == 0) line(i * z + 1);
        }
    };
    lines(across, vertical);
    lines(down, horizontal);
    if (BlockEditing()) DrawChipBorders(n, doubled);
}

void TForm1::DrawChipBorders(std::int32_t n, bool doubled) {
    const int z = EditZoom();
    const int right = EditCols() * n * z, bottom = EditRows() * n * z;
    // One line of dashes; `phase` 1 starts with the light one.
    auto dashes = [&](int at, bool across, int phase) {
        const int length = across ? right : bottom + 1;
        for (int t = 0; t < length; t += ChipBorderDash) {
            EditI.SetPenColour((t / ChipBorderDash + phase) % 2 == 0 ? ChipBorderDark : ChipBorderLight);
            const int end = std::min(t + ChipBorderDash, length);
            if (across)
                EditI.Polyline({t, at}, {end, at});
            else
                EditI.Polyline({at, t}, {at, end});
        }
    };
    auto border = [&](int at, bool across) {
        dashes(at, across, 1);
        if (doubled) dashes(at + 1, across, 0);
    };
    for (int c = 1; c < EditCols(); ++c) border(c * n * z, false);
    for (int r = 1; r < EditRows(); ++r) border(r * n * z, true);
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

void TForm1::ShowChipsOnSheet(int col, int row, int cols, int rows) {
    const int s = Def.ChipSize;
    for (int c = col; c < col + cols; ++c)
        for (int r = row; r < row + rows; ++r) ScreenI.Draw(c * s, r * s, Chip(c, r));
    // The frame of the chips being edited lies on the lines round them (or
    // on their outermost pixels): drawn again last where the block meets it.
    const bool meetsFrame =
        CurCol <= col + cols && col <= CurCol + EditCols() && CurRow <= row + rows && row <= CurRow + EditRows();
    if (!Def.SheetGridShown) {
        if (meetsFrame) FrameEditedOnSheet();
        return;
    }
    // The chips cover the lines along their left and top sides; the sheet's
    // own frame there first, then the grid lines over it, as DrawSheetFrame
    // draws them.
    const int left = col * s, top = row * s, right = (col + cols) * s, bottom = (row + rows) * s;
    ScreenI.SetPenColour(SheetFrame);
    if (row == 0) ScreenI.Polyline({left, 0}, {right, 0});
    if (col == 0) ScreenI.Polyline({0, top}, {0, bottom});
    ScreenI.SetPenColour(SheetGrid);
    for (int c = std::max(col, 1); c < std::min(col + cols, Def.SheetCols); ++c)
        ScreenI.Polyline({c * s, top}, {c * s, bottom});
    for (int r = std::max(row, 1); r < std::min(row + rows, Def.SheetRows); ++r)
        ScreenI.Polyline({left, r * s}, {right, r * s});
    if (meetsFrame) FrameEditedOnSheet();
}

void TForm1::ShowEditedOnSheet() {
    if (!BlockEditing()) return DrawChip(CurCol, CurRow, true);
    for (int c = 0; c < EditCols(); ++c)
        for (int r = 0; r < EditRows(); ++r) DrawChip(CurCol + c, CurRow + r, false);
    FrameEditedOnSheet();
}

void TForm1::FrameEditedOnSheet() {
    // As round one chip: on the grid lines, or on the block's outermost pixels.
    const int s = Def.ChipSize;
    const int extra = Def.SheetGridShown ? 1 : 0;
    const int left = CurCol * s, top = CurRow * s;
    const int right = (CurCol + EditCols()) * s, bottom = (CurRow + EditRows()) * s;
    if (Def.SheetGridShown) {
        // The chips drawn again covered the lines between them.
        ScreenI.SetPenColour(SheetGrid);
        for (int c = 1; c < EditCols(); ++c) ScreenI.Polyline({left + c * s, top}, {left + c * s, bottom});
        for (int r = 1; r < EditRows(); ++r) ScreenI.Polyline({left, top + r * s}, {right, top + r * s});
    }
    ScreenI.SetBrushColour(CurrentChipFrame);
    ScreenI.FrameRect({left, top, right + extra, bottom + extra});
}

void TForm1::RefreshEditArea() {
    const int z = EditZoom();
    if (BlockEditing())
        EditI.StretchDraw({0, 0, EditWidth() * z, EditHeight() * z}, EditedPicture());
    else
        EditI.StretchDraw({0, 0, Def.ChipSize * z, Def.ChipSize * z}, Chip(CurCol, CurRow));
    DrawEditGrid(Def.ChipSize);
}

void TForm1::ComposeSheet() { project.Sheet.ComposeInto(SheetImage); }

void TForm1::CutIntoChips(const canvas::Picture& sheet) { project.Sheet.CutIntoChips(sheet); }

// The chip being edited becomes (col, row): the edit area shows it and the
// sheet view frames it. A block keeps its size and lies on the sheet.
void TForm1::ChooseChip(int col, int row) {
    if (Options.block) return SelectBlock(col, row, Options.blockCols, Options.blockRows);
    DropPendingPoint();
    DrawChip(CurCol, CurRow, false);
    CurCol = col;
    CurRow = row;
    project.history.DropOneLevel();
    RefreshEditArea();
    if (Def.SheetGridShown)
        DrawSheetFrame();
    else
        DrawChip(CurCol, CurRow, true);
}

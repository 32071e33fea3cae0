// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <utility>

#include "core/Form.h"
#include "io/RecoveryRecord.h"

namespace recovery {

namespace {

// The sheet's file is kept as an absolute path: the next editor may start
// in another folder.
std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string() : absolute.lexically_normal().string();
}

Record::Session SessionOf(const TForm1& form) {
    const EditorOptions& o = form.Options;
    Record::Session s;
    s.wrapDrawing = o.wrapDrawing;
    s.tilePreview = o.tilePreview;
    s.tileNeighbours = o.tileNeighbours;
    s.tileZoom = o.tileZoom;
    s.boardShown = o.boardShown;
    s.strokeJoin = o.strokeJoin;
    s.keys = o.keys;
    s.wide = o.wide;
    s.left = form.LeftColor;
    s.right = form.RightColor;
    s.transparent = form.Sheet.TransparentColor;
    const TryOutBoard& board = form.Board;
    s.boardCols = board.Cols();
    s.boardRows = board.Rows();
    s.boardZoom = board.Zoom();
    s.boardCells.clear();
    s.boardCells.reserve(static_cast<std::size_t>(board.Cols()) * static_cast<std::size_t>(board.Rows()));
    for (int row = 0; row < board.Rows(); ++row)
        for (int col = 0; col < board.Cols(); ++col) {
            const auto chip = board.At({col, row});
            // Numbered over the sheet's own rows, so that a copy of a sheet
            // of any shape reads back whatever the chip table's layout.
            s.boardCells.push_back(chip ? form.Sheet.Geometry().ColumnNumber(chip->col, chip->row) : -1);
        }
    for (const Terrain& t : form.Sheet.Terrains())
        s.terrains.push_back({t.name, t.source.col, t.source.row, t.area.col, t.area.row});
    return s;
}

TMemorySnapshot SnapshotOf(Record&& r) {
    TMemorySnapshot m;
    TDef& d = m.MemDef;
    d.FileName = std::move(r.file);
    d.Zoom = r.zoom;
    d.ChipSize = r.chipSize;
    d.SheetCols = r.cols;
    d.SheetRows = r.rows;
    d.ToolMode = r.tool;
    d.GridLineColor = r.gridColour;
    d.SheetGridShown = r.sheetGrid;
    m.MemCurCol = r.col;
    m.MemCurRow = r.row;
    m.MemPenSize = r.pen;
    m.MemGridHidden = r.gridHidden;
    m.MemResizePerChip = r.resizePerChip;
    m.MemModified = true;
    m.MemSheetImage = std::move(r.sheet);
    return m;
}

// Each part through the handler or setter that shows it, as a user's change
// of it would be shown.
void RestoreSession(TForm1& form, const Record::Session& s) {
    if (s.wide != form.Options.wide) form.WideMenuClick();
    EditorOptions& o = form.Options;
    o.wrapDrawing = s.wrapDrawing;
    o.tilePreview = s.tilePreview;
    o.tileNeighbours = s.tileNeighbours;
    o.tileZoom = s.tileZoom;
    o.boardShown = s.boardShown;
    o.strokeJoin = s.strokeJoin;
    o.keys = s.keys;
    form.SetLeftColor(s.left);
    form.SetRightColor(s.right);
    form.Sheet.TransparentColor = s.transparent;
    form.ShowTransparentColour();
    std::vector<std::optional<ChipRef>> cells;
    cells.reserve(s.boardCells.size());
    for (int slot : s.boardCells) {
        if (slot < 0) {
            cells.emplace_back();
            continue;
        }
        const ChipRef chip = form.Sheet.Geometry().OfColumnNumber(slot);
        cells.push_back(form.Sheet.Geometry().Contains(chip) ? std::optional(chip) : std::nullopt);
    }
    form.Board.Replace(s.boardCols, s.boardRows, cells);
    form.Board.SetZoom(s.boardZoom);
    std::vector<Terrain> terrains;
    for (const auto& t : s.terrains) {
        const Terrain terrain{t.name, {t.sourceCol, t.sourceRow}, {t.areaCol, t.areaRow}};
        // The copy's sheet holds the chips as they were; a terrain that does
        // not fit it is left out.
        if (!ProblemOf(terrain, terrains, form.Sheet.Geometry().cols, form.Sheet.Geometry().rows,
                       form.Sheet.Geometry().chipSize))
            terrains.push_back(terrain);
    }
    form.Sheet.SetTerrains(std::move(terrains));
    form.TerrainBrush.reset();
    form.controls.SetChecked(ControlId::TerrainBrushMenu, false);
    form.ShowOptions();
    form.tilePreview.Forget();
    form.UpdateTilePreview();
}

}  // namespace

Record RecordOfEditor(TForm1& form) {
    // Read straight from the editor rather than through a memory snapshot,
    // so that the sheet is composed once, into the record: this runs on the
    // window's thread.
    const TDef& d = form.Def;
    Record r;
    r.file = AbsolutePath(d.FileName);
    r.zoom = d.Zoom;
    r.chipSize = d.ChipSize;
    r.cols = d.SheetCols;
    r.rows = d.SheetRows;
    r.tool = d.ToolMode;
    r.gridColour = d.GridLineColor;
    r.sheetGrid = d.SheetGridShown;
    r.col = form.CurCol;
    r.row = form.CurRow;
    r.pen = form.PenSize;
    r.gridHidden = form.Options.editGridHidden;
    r.resizePerChip = form.Options.resizePerChip;
    form.Sheet.ComposeInto(r.sheet);
    r.session = SessionOf(form);
    return r;
}

void RestoreEditor(TForm1& form, Record&& record) {
    // The session stays in the record: SnapshotOf takes only the sheet's
    // part (and a moved-out optional trips GCC 12's uninitialized-use
    // warning at -O3).
    form.RestoreSnapshot(SnapshotOf(std::move(record)));
    if (record.session) RestoreSession(form, *record.session);
}

}  // namespace recovery

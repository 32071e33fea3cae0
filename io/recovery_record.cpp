// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <filesystem>
#include <map>
#include <type_traits>
#include <utility>

#include "core/Form.h"
#include "core/ViewMenuItems.h"
#include "io/RecoveryRecord.h"
#include "io/RememberedPreferences.h"

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
    Record::Session s;
    s.left = form.LeftColor;
    s.right = form.RightColor;
    s.transparent = form.project.Sheet.TransparentColor;
    const TryOutBoard& board = form.project.Board;
    s.boardCols = board.Cols();
    s.boardRows = board.Rows();
    s.boardZoom = board.Zoom();
    s.boardCells.clear();
    s.boardCells.reserve(static_cast<std::size_t>(board.Cols()) * static_cast<std::size_t>(board.Rows()));
    std::vector<std::uint8_t> turns;
    for (int row = 0; row < board.Rows(); ++row)
        for (int col = 0; col < board.Cols(); ++col) {
            const auto held = board.Held({col, row});
            // Numbered over the sheet's own rows, so that a copy of a sheet
            // of any shape reads back whatever the chip table's layout.
            s.boardCells.push_back(held ? form.project.Sheet.Geometry().ColumnNumber(held->chip.col, held->chip.row)
                                        : -1);
            turns.push_back(static_cast<std::uint8_t>(held ? held->orientation : canvas::Orientation::AsIs));
        }
    if (std::ranges::any_of(turns, [](std::uint8_t t) { return t != 0; })) s.boardTurns = std::move(turns);
    for (const Terrain& t : form.project.Sheet.Terrains())
        s.terrains.push_back({t.name, t.source.col, t.source.row, t.area.col, t.area.row});
    return s;
}

TMemorySnapshot SnapshotOf(Record&& r) {
    TMemorySnapshot m;
    TDef& d = m.MemDef;
    m.MemFileName = std::move(r.file);
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

std::map<std::string, int, std::less<>> OptionsOf(const EditorOptions& options) {
    std::map<std::string, int, std::less<>> named;
    ForEachOption(options,
                  [&named](const char* name, const auto& field, int, int) { named[name] = static_cast<int>(field); });
    return named;
}

// The options a copy names, within their ranges; the others as they are.
EditorOptions OptionsFrom(const std::map<std::string, int, std::less<>>& named, EditorOptions options) {
    ForEachOption(options, [&named](const char* name, auto& field, int lo, int hi) {
        const auto it = named.find(name);
        if (it != named.end() && it->second >= lo && it->second <= hi)
            field = static_cast<std::remove_cvref_t<decltype(field)>>(it->second);
    });
    return options;
}

Record::Work WorkOf(const TForm1& form) {
    const Project& project = form.project;
    Record::Work w;
    w.colourTable = project.Sheet.ColourTable;
    w.userPalette = project.UserPalette;
    // Numbered over the sheet's own rows, as the board's cells are. An
    // animation that a change of shape left off the sheet has no number: it
    // would come back on another chip.
    const SheetGeometry& g = project.Sheet.Geometry();
    for (const auto& [slot, animation] : project.Sheet.Animations.All()) {
        const ChipRef first = sheet::ChipOfSlot(slot);
        if (!g.Contains(first) || first.col + animation.frames > g.cols) continue;
        w.animations.push_back({g.ColumnNumber(first.col, first.row), animation.frames, animation.frameMs});
    }
    w.undoLimit = project.history.Limit();
    w.undoMemoryMiB = project.history.MemoryMiB();
    return w;
}

void RestoreWork(TForm1& form, const Record::Work& w) {
    Project& project = form.project;
    project.Sheet.ColourTable = w.colourTable;
    project.UserPalette = w.userPalette;
    project.Sheet.Animations.Clear();
    const SheetGeometry& g = project.Sheet.Geometry();
    for (const auto& a : w.animations)
        if (a.slot >= 0 && a.slot < g.ChipCount())
            project.Sheet.Animations.Set(g.OfColumnNumber(a.slot), ChipAnimation{a.frames, a.frameMs}, g);
    project.history.SetMemoryLimit(static_cast<std::size_t>(w.undoMemoryMiB) << 20);
    form.SetUndoLimit(w.undoLimit);
    form.DrawPaletteView();
    form.ShowAnimationAt(form.AnimationMs);
}

// Each part through the handler or setter that shows it, as a user's change
// of it would be shown.
void RestoreSession(TForm1& form, const Record::Session& s) {
    form.SetLeftColor(s.left);
    form.SetRightColor(s.right);
    form.project.Sheet.TransparentColor = s.transparent;
    form.ShowTransparentColour();
    std::vector<std::optional<PlacedChip>> cells;
    cells.reserve(s.boardCells.size());
    for (std::size_t i = 0; i < s.boardCells.size(); ++i) {
        const int slot = s.boardCells[i];
        if (slot < 0) {
            cells.emplace_back();
            continue;
        }
        const ChipRef chip = form.project.Sheet.Geometry().OfColumnNumber(slot);
        const auto turn = static_cast<canvas::Orientation>(i < s.boardTurns.size() ? s.boardTurns[i] & 7 : 0);
        cells.push_back(form.project.Sheet.Geometry().Contains(chip) ? std::optional(PlacedChip{chip, turn})
                                                                     : std::nullopt);
    }
    form.project.Board.Replace(s.boardCols, s.boardRows, cells);
    form.project.Board.SetZoom(s.boardZoom);
    std::vector<Terrain> terrains;
    for (const auto& t : s.terrains) {
        const Terrain terrain{t.name, {t.sourceCol, t.sourceRow}, {t.areaCol, t.areaRow}};
        // The copy's sheet holds the chips as they were; a terrain that does
        // not fit it is left out.
        if (!ProblemOf(terrain, terrains, form.project.Sheet.Geometry().cols, form.project.Sheet.Geometry().rows,
                       form.project.Sheet.Geometry().chipSize))
            terrains.push_back(terrain);
    }
    form.project.Sheet.SetTerrains(std::move(terrains));
    form.TerrainBrush.reset();
    form.controls.SetChecked(ControlId::TerrainBrushMenu, false);
    form.ShowOptions();
    form.tilePreview.Forget();
    form.UpdateTilePreview();
}

}  // namespace

Limits EditorLimits() {
    return {sheet::MinChipSize,
            sheet::MaxChipSize,
            sheet::MaxCols,
            sheet::MaxRows,
            sheet::MaxSide,
            MinZoom,
            WindowLayout::MaxZoom,
            tool_mode::LinePending,
            MaxPenSize,
            4,
            TryOutBoard::MaxSide,
            TryOutBoard::MaxZoom};
}

Record RecordOfEditor(TForm1& form) {
    // Read straight from the editor rather than through a memory snapshot,
    // so that the sheet is composed once, into the record: this runs on the
    // window's thread.
    const TDef& d = form.Def;
    Record r;
    r.file = AbsolutePath(form.project.FileName);
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
    form.project.Sheet.ComposeInto(r.sheet);
    r.session = SessionOf(form);
    r.options = OptionsOf(form.Options);
    r.work = WorkOf(form);
    return r;
}

void RestoreEditor(TForm1& form, Record&& record) {
    // The session stays in the record: SnapshotOf takes only the sheet's
    // part (and a moved-out optional trips GCC 12's uninitialized-use
    // warning at -O3).
    form.RestoreSnapshot(SnapshotOf(std::move(record)));
    if (record.session) RestoreSession(form, *record.session);
    if (record.work) RestoreWork(form, *record.work);
    ApplyOptions(form, OptionsFrom(record.options, form.Options));
}

}  // namespace recovery

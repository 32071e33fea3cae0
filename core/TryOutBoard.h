// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "canvas/Orientation.h"
#include "canvas/Picture.h"
#include "core/SheetGeometry.h"

// A board cell, by column and row from the top-left.
struct BoardCell {
    int col = 0;
    int row = 0;
    friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

// What a board cell holds: a chip of the sheet, shown in one of the eight
// orientations.
struct PlacedChip {
    ChipRef chip;
    canvas::Orientation orientation = canvas::Orientation::AsIs;
    friend bool operator==(const PlacedChip&, const PlacedChip&) = default;
};

// The try-out board: a grid of cells, each empty or holding a chip of the
// sheet in an orientation, shown at a whole zoom without grid lines. The board keeps no picture
// of its own (256 x 256 cells at zoom 4 would be a gigabyte): its view BoardI
// is drawn on demand, any part of it, from the cells and the chips as they
// are now. Dirty marks say which cells a view must draw again.
class TryOutBoard {
public:
    static constexpr int MaxSide = 256;
    static constexpr int MinZoom = 1;
    static constexpr int MaxZoom = 4;
    static constexpr int Slots = sheet::SlotCount;

    TryOutBoard();

    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    int Zoom() const { return zoom_; }
    // A cell is a chip of the sheet: its size, and which chips may be placed.
    int CellPixels() const { return sheet_.chipSize; }
    const SheetGeometry& Sheet() const { return sheet_; }
    // The sheet took a new shape: cells are drawn at its chip size, and a cell
    // whose chip is not on it any more shows as empty (it keeps the chip for
    // an undo that gives the shape back).
    void FollowSheet(const SheetGeometry& sheet);

    // The chip in a cell; none for an empty cell or a chip off the sheet.
    std::optional<ChipRef> At(BoardCell cell) const;
    // The chip in a cell with its orientation, as At.
    std::optional<PlacedChip> Held(BoardCell cell) const;
    // The first cell, row by row, that holds the chip; none when no cell does.
    std::optional<BoardCell> FirstHolding(ChipRef chip) const;
    // Puts a chip in an orientation into a cell or empties it (nothing);
    // false when the cell already held just that. Cells outside the board are
    // ignored.
    bool Place(BoardCell cell, std::optional<ChipRef> chip,
               canvas::Orientation orientation = canvas::Orientation::AsIs);
    // A new size, 1..MaxSide each way; cells keep their place from the
    // top-left, cells that come in are empty.
    void Resize(int cols, int rows);
    void SetZoom(int zoom);
    void Clear();
    // The whole board at once (a load): `chips` holds cols x rows cells, row
    // by row. Throws std::invalid_argument on a size or chip out of range.
    void Replace(int cols, int rows, std::span<const std::optional<PlacedChip>> chips);

    // ---- The view BoardI ----
    int ViewWidth() const { return cols_ * CellPixels() * zoom_; }
    int ViewHeight() const { return rows_ * CellPixels() * zoom_; }
    // The cell under a view pixel, if the pixel lies on the board.
    std::optional<BoardCell> CellAt(int x, int y) const;
    canvas::Rect CellRect(BoardCell cell) const;
    // Makes `target` the size of `area` and draws that part of the view into
    // it: each cell the current pixels of its chip in the cell's orientation,
    // repeated `zoom` times each way, an empty cell the checker pattern, and
    // so are a chip's pixels of the `transparent` colour. `chips` is the chip
    // table.
    void Draw(canvas::Picture& target, const canvas::Rect& area, std::span<const canvas::Picture> chips,
              std::span<const std::uint16_t> shownSlots = {},
              std::optional<canvas::Colour> transparent = std::nullopt) const;
    // The transparent colour the view shows as the checker; a change marks
    // the whole view.
    void FollowTransparentColour(std::optional<canvas::Colour> transparent);

    // ---- What changed since the last ClearDirty() ----
    // Compares every chip's version (SheetDocument) with the one the board
    // last saw and marks the cells that show a chip changed since.
    void FollowChips(std::span<const std::uint64_t> versions);
    // The whole view changed (size, zoom, a load).
    bool AllDirty() const { return allDirty_; }
    // Cells to draw again when not AllDirty(), each once.
    const std::vector<BoardCell>& DirtyCells() const { return dirtyCells_; }
    void ClearDirty();

private:
    static constexpr std::int16_t Empty = -1;
    std::size_t IndexOf(BoardCell c) const { return static_cast<std::size_t>(c.row) * cols_ + c.col; }
    bool Contains(BoardCell c) const { return c.col >= 0 && c.row >= 0 && c.col < cols_ && c.row < rows_; }
    void MarkCell(BoardCell c);
    void MarkAll();
    void CountSlots();

    int cols_ = 20;
    int rows_ = 15;
    int zoom_ = 2;
    SheetGeometry sheet_;
    std::vector<std::int16_t> cells_;          // slot or Empty, row by row
    std::vector<canvas::Orientation> turns_;   // each cell's orientation, row by row
    std::vector<int> cellsOfSlot_;             // how many cells hold each slot
    std::vector<std::uint64_t> seenVersions_;  // the chips' versions as FollowChips last saw them
    std::vector<std::uint8_t> marked_;         // per cell: in dirtyCells_
    std::vector<BoardCell> dirtyCells_;
    bool allDirty_ = true;
    std::optional<canvas::Colour> shownTransparent_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TryOutBoard.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The checker of an empty cell: squares of half a chip, light at the cell's
// top-left, so that a field of empty cells reads as one checker board.
constexpr canvas::Colour CheckerLight = 0xE0E0E0;
constexpr canvas::Colour CheckerDark = 0xB0B0B0;
constexpr int CheckerSquares = 2;  // per cell, each way

bool HasColour(const canvas::Picture& picture, canvas::Colour colour) {
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        if (std::find(row.begin(), row.end(), colour) != row.end()) return true;
    }
    return false;
}

int SlotOf(ChipRef chip) { return static_cast<int>(sheet::SlotOf(chip.col, chip.row)); }

}  // namespace

TryOutBoard::TryOutBoard() : cellsOfSlot_(Slots, 0), seenVersions_(Slots, 0) { Resize(cols_, rows_); }

std::optional<ChipRef> TryOutBoard::At(BoardCell cell) const {
    if (!Contains(cell)) return std::nullopt;
    const std::int16_t slot = cells_[IndexOf(cell)];
    if (slot == Empty) return std::nullopt;
    const ChipRef chip = sheet::ChipOfSlot(static_cast<std::size_t>(slot));
    if (!sheet_.Contains(chip)) return std::nullopt;
    return chip;
}

std::optional<PlacedChip> TryOutBoard::Held(BoardCell cell) const {
    const std::optional<ChipRef> chip = At(cell);
    if (!chip) return std::nullopt;
    return PlacedChip{*chip, turns_[IndexOf(cell)]};
}

std::optional<BoardCell> TryOutBoard::FirstHolding(ChipRef chip) const {
    const std::int16_t slot = static_cast<std::int16_t>(sheet::SlotOf(chip.col, chip.row));
    if (!sheet_.Contains(chip) || cellsOfSlot_[static_cast<std::size_t>(slot)] == 0) return std::nullopt;
    for (int row = 0; row < rows_; ++row)
        for (int col = 0; col < cols_; ++col)
            if (cells_[IndexOf({col, row})] == slot) return BoardCell{col, row};
    return std::nullopt;
}

bool TryOutBoard::Place(BoardCell cell, std::optional<ChipRef> chip, canvas::Orientation orientation) {
    if (!Contains(cell) || (chip && !sheet_.Contains(*chip))) return false;
    std::int16_t& held = cells_[IndexOf(cell)];
    canvas::Orientation& turn = turns_[IndexOf(cell)];
    const std::int16_t slot = chip ? static_cast<std::int16_t>(SlotOf(*chip)) : Empty;
    // An empty cell has no orientation.
    if (!chip) orientation = canvas::Orientation::AsIs;
    if (held == slot && turn == orientation) return false;
    if (held != Empty) --cellsOfSlot_[static_cast<std::size_t>(held)];
    if (slot != Empty) ++cellsOfSlot_[static_cast<std::size_t>(slot)];
    held = slot;
    turn = orientation;
    MarkCell(cell);
    return true;
}

void TryOutBoard::Resize(int cols, int rows) {
    cols = std::clamp(cols, 1, MaxSide);
    rows = std::clamp(rows, 1, MaxSide);
    std::vector<std::int16_t> cells(static_cast<std::size_t>(cols) * rows, Empty);
    std::vector<canvas::Orientation> turns(cells.size(), canvas::Orientation::AsIs);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            if (!cells_.empty()) {
                cells[static_cast<std::size_t>(r) * cols + c] = cells_[IndexOf({c, r})];
                turns[static_cast<std::size_t>(r) * cols + c] = turns_[IndexOf({c, r})];
            }
    cols_ = cols;
    rows_ = rows;
    cells_ = std::move(cells);
    turns_ = std::move(turns);
    CountSlots();
    MarkAll();
}

void TryOutBoard::SetZoom(int zoom) {
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    MarkAll();
}

void TryOutBoard::Clear() {
    std::fill(cells_.begin(), cells_.end(), Empty);
    std::fill(turns_.begin(), turns_.end(), canvas::Orientation::AsIs);
    CountSlots();
    MarkAll();
}

void TryOutBoard::Replace(int cols, int rows, std::span<const std::optional<PlacedChip>> chips) {
    if (cols < 1 || rows < 1 || cols > MaxSide || rows > MaxSide ||
        chips.size() != static_cast<std::size_t>(cols) * rows)
        throw std::invalid_argument("board size out of range");
    std::vector<std::int16_t> cells(chips.size(), Empty);
    std::vector<canvas::Orientation> turns(chips.size(), canvas::Orientation::AsIs);
    for (std::size_t i = 0; i < chips.size(); ++i) {
        if (!chips[i]) continue;
        if (!sheet_.Contains(chips[i]->chip)) throw std::invalid_argument("board chip outside the sheet");
        if (static_cast<unsigned>(chips[i]->orientation) >= canvas::OrientationCount)
            throw std::invalid_argument("board cell of no orientation");
        cells[i] = static_cast<std::int16_t>(SlotOf(chips[i]->chip));
        turns[i] = chips[i]->orientation;
    }
    cols_ = cols;
    rows_ = rows;
    cells_ = std::move(cells);
    turns_ = std::move(turns);
    CountSlots();
    MarkAll();
}

void TryOutBoard::FollowSheet(const SheetGeometry& sheet) {
    if (sheet == sheet_) return;
    sheet_ = sheet;
    MarkAll();
}

std::optional<BoardCell> TryOutBoard::CellAt(int x, int y) const {
    if (x < 0 || y < 0) return std::nullopt;
    const BoardCell cell{x / (CellPixels() * zoom_), y / (CellPixels() * zoom_)};
    if (!Contains(cell)) return std::nullopt;
    return cell;
}

canvas::Rect TryOutBoard::CellRect(BoardCell cell) const {
    const int side = CellPixels() * zoom_;
    return {cell.col * side, cell.row * side, (cell.col + 1) * side, (cell.row + 1) * side};
}

void TryOutBoard::Draw(canvas::Picture& target, const canvas::Rect& area, std::span<const canvas::Picture> chips,
                       std::span<const std::uint16_t> shownSlots, std::optional<canvas::Colour> transparent) const {
    const canvas::Rect part = canvas::Clip(area, ViewWidth(), ViewHeight());
    target.SetSize(area.Width(), area.Height());
    if (part != area) {
        // What lies beyond the board is black.
        target.SetBrushColour(canvas::Black);
        target.FillRect({0, 0, area.Width(), area.Height()});
    }
    if (part.IsEmpty()) return;
    const int side = CellPixels() * zoom_;
    const int square = side / CheckerSquares;
    for (int r = part.top / side; r <= (part.bottom - 1) / side; ++r) {
        for (int c = part.left / side; c <= (part.right - 1) / side; ++c) {
            // Cell rectangle in the target's coordinates; the canvas clips.
            const int left = c * side - area.left;
            const int top = r * side - area.top;
            const std::int16_t placed = cells_[IndexOf({c, r})];
            const std::size_t slot = placed != Empty && static_cast<std::size_t>(placed) < shownSlots.size()
                                         ? shownSlots[static_cast<std::size_t>(placed)]
                                         : static_cast<std::size_t>(placed);
            if (placed != Empty && slot < chips.size() && sheet_.Contains(sheet::ChipOfSlot(slot))) {
                const canvas::Picture& chip = chips[slot];
                const canvas::Orientation turn = turns_[IndexOf({c, r})];
                if (!transparent || !HasColour(chip, *transparent)) {
                    target.StretchDrawOriented({left, top, left + side, top + side}, chip, turn);
                    continue;
                }
                // Transparent pixels show the checker an empty cell shows,
                // laid on the chip as the cell shows it.
                canvas::Picture seen(chip.Width(), chip.Height());
                seen.StretchDrawOriented({0, 0, chip.Width(), chip.Height()}, chip, turn);
                const int half = std::max(chip.Width() / CheckerSquares, 1);
                for (int y = 0; y < seen.Height(); ++y)
                    for (int x = 0; x < seen.Width(); ++x)
                        if (seen.GetPixel(x, y) == *transparent)
                            seen.SetPixel(x, y, (x / half + y / half) % 2 == 0 ? CheckerLight : CheckerDark);
                target.StretchDraw({left, top, left + side, top + side}, seen);
                continue;
            }
            for (int j = 0; j < CheckerSquares; ++j) {
                for (int i = 0; i < CheckerSquares; ++i) {
                    target.SetBrushColour((i + j) % 2 == 0 ? CheckerLight : CheckerDark);
                    const int x = left + i * square;
                    const int y = top + j * square;
                    target.FillRect({x, y, x + square, y + square});
                }
            }
        }
    }
}

void TryOutBoard::FollowTransparentColour(std::optional<canvas::Colour> transparent) {
    if (transparent == shownTransparent_) return;
    shownTransparent_ = transparent;
    MarkAll();
}

void TryOutBoard::FollowChips(std::span<const std::uint64_t> versions) {
    const std::size_t count = std::min<std::size_t>(versions.size(), Slots);
    for (std::size_t slot = 0; slot < count; ++slot) {
        if (versions[slot] == seenVersions_[slot]) continue;
        seenVersions_[slot] = versions[slot];
        if (cellsOfSlot_[slot] == 0 || allDirty_) continue;
        for (std::size_t i = 0; i < cells_.size(); ++i)
            if (cells_[i] == static_cast<std::int16_t>(slot))
                MarkCell({static_cast<int>(i % cols_), static_cast<int>(i / cols_)});
    }
}

void TryOutBoard::ClearDirty() {
    for (const BoardCell& c : dirtyCells_) marked_[IndexOf(c)] = 0;
    dirtyCells_.clear();
    allDirty_ = false;
}

void TryOutBoard::MarkCell(BoardCell c) {
    if (allDirty_) return;
    std::uint8_t& mark = marked_[IndexOf(c)];
    if (mark) return;
    mark = 1;
    dirtyCells_.push_back(c);
}

void TryOutBoard::MarkAll() {
    dirtyCells_.clear();
    marked_.assign(cells_.size(), 0);
    allDirty_ = true;
}

void TryOutBoard::CountSlots() {
    std::fill(cellsOfSlot_.begin(), cellsOfSlot_.end(), 0);
    for (std::int16_t slot : cells_)
        if (slot != Empty) ++cellsOfSlot_[static_cast<std::size_t>(slot)];
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SheetDocument.h"

// Versions are unique across chips, so that a view that shows another chip
// in the same place sees a change too.
// A new sheet is black.
SheetDocument::SheetDocument() : chips_(sheet::SlotCount), versions_(sheet::SlotCount) {
    for (std::uint64_t& v : versions_) v = nextVersion_++;
    const int s = geometry_.chipSize;
    for (int c = 0; c < geometry_.cols; ++c)
        for (int r = 0; r < geometry_.rows; ++r) chips_[sheet::SlotOf(c, r)].SetSize(s, s);
}

void SheetDocument::Reshape(const SheetGeometry& geometry) {
    const int s = geometry.chipSize;
    for (int c = 0; c < geometry.cols; ++c) {
        for (int r = 0; r < geometry.rows; ++r) {
            const canvas::Picture& chip = Chip(c, r);
            // SetSize keeps the top-left pixels and makes what grew black.
            if (chip.Width() != s || chip.Height() != s) ChangeChip(c, r).SetSize(s, s);
        }
    }
    geometry_ = geometry;
}

void SheetDocument::SwapSheet(std::vector<canvas::Picture>& chips, SheetGeometry& geometry) {
    for (std::size_t slot = 0; slot < chips.size() && slot < chips_.size(); ++slot) {
        versions_[slot] = nextVersion_++;
        std::swap(chips_[slot], chips[slot]);
    }
    std::swap(geometry_, geometry);
}

canvas::Picture& SheetDocument::ChangeChip(int col, int row) {
    const std::size_t slot = sheet::SlotOf(col, row);
    versions_[slot] = nextVersion_++;
    return chips_[slot];
}

void SheetDocument::RecordStep(int col, int row, OneLevel oneLevel) {
    if (!History.On() && oneLevel == OneLevel::Passed) return;
    History.Record(col, row, Chip(col, row));
}

void SheetDocument::RecordBlockStep(int col, int row, int cols, int rows, OneLevel oneLevel) {
    if (!History.On() && oneLevel == OneLevel::Passed) return;
    std::vector<ChipRef> places;
    std::vector<canvas::Picture> before;
    for (int c = col; c < col + cols; ++c) {
        for (int r = row; r < row + rows; ++r) {
            places.push_back({c, r});
            before.push_back(Chip(c, r));
        }
    }
    History.RecordBlock(col, row, std::move(places), std::move(before));
}

std::optional<ChipRef> SheetDocument::Undo(int currentCol, int currentRow) {
    const auto step =
        History.Undo([this](int c, int r) -> canvas::Picture& { return ChangeChip(c, r); },
                     [this](auto& chips, auto& geometry) { SwapSheet(chips, geometry); }, currentCol, currentRow);
    if (!step) return std::nullopt;
    return ChipRef{step->col, step->row};
}

std::optional<ChipRef> SheetDocument::Redo() {
    const auto step = History.Redo([this](int c, int r) -> canvas::Picture& { return ChangeChip(c, r); },
                                   [this](auto& chips, auto& geometry) { SwapSheet(chips, geometry); });
    if (!step) return std::nullopt;
    return ChipRef{step->col, step->row};
}

void SheetDocument::CutIntoChips(const canvas::Picture& picture) {
    const SheetGeometry& g = geometry_;
    if (picture.Width() != g.Width() || picture.Height() != g.Height()) {
        // Cut to the sheet's size first: black wherever it is smaller.
        canvas::Picture sized(g.Width(), g.Height());
        sized.Draw(0, 0, picture);
        return CutIntoChips(sized);
    }
    const int s = g.chipSize;
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.cols; ++c) {
            canvas::Picture& chip = ChangeChip(c, r);
            chip.SetSize(s, s);
            chip.CopyRect({0, 0, s, s}, picture, {c * s, r * s, (c + 1) * s, (r + 1) * s});
        }
    }
    // A picture taken whole is what it is: its terrain chips stay as they
    // came until the artist changes a block.
    SeeTerrainSources();
}

void SheetDocument::ComposeInto(canvas::Picture& sheetPicture) const {
    const SheetGeometry& g = geometry_;
    const int s = g.chipSize;
    sheetPicture.SetSize(g.Width(), g.Height());
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) sheetPicture.Draw(c * s, r * s, Chip(c, r));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the parts of the project that are not pixels: a palette
// entry, the board's cells and the sheet's shape.
#include "core/Project.h"

namespace {

// Which palette an entry belongs to: the user's, else the sheet's table.
std::vector<canvas::Colour>& PaletteOf(Project& project, bool user) {
    return user ? project.UserPalette : project.Sheet.ColourTable;
}

class PaletteEntryCommand final : public ExchangeCommand {
public:
    // `left`, `right`: the drawing colour goes with the entry.
    PaletteEntryCommand(bool user, std::size_t index, canvas::Colour now, canvas::Colour other, bool left, bool right)
        : user_(user), left_(left), right_(right), index_(index), now_(now), other_(other) {}
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    // A palette loaded since the swap is left alone, and so is a drawing
    // colour chosen since.
    void Exchange(Project& project) override {
        std::vector<canvas::Colour>& palette = PaletteOf(project, user_);
        if (index_ >= palette.size() || palette[index_] != now_) return;
        palette[index_] = other_;
        if (left_ && project.Drawing.left == now_) project.Drawing.left = other_;
        if (right_ && project.Drawing.right == now_) project.Drawing.right = other_;
        std::swap(now_, other_);
    }
    bool user_;
    bool left_;
    bool right_;
    std::size_t index_;
    canvas::Colour now_;
    canvas::Colour other_;
};

class BoardCommand final : public ExchangeCommand {
public:
    explicit BoardCommand(const TryOutBoard& board) : cols_(board.Cols()), rows_(board.Rows()) { Take(board); }
    std::size_t Bytes() const override { return sizeof(*this) + cells_.capacity() * sizeof(cells_[0]); }

private:
    void Take(const TryOutBoard& board) {
        cells_.clear();
        cells_.reserve(static_cast<std::size_t>(board.Cols()) * static_cast<std::size_t>(board.Rows()));
        for (int row = 0; row < board.Rows(); ++row)
            for (int col = 0; col < board.Cols(); ++col) cells_.push_back(board.Held({col, row}));
    }
    void Exchange(Project& project) override {
        TryOutBoard& board = project.Board;
        const int cols = board.Cols();
        const int rows = board.Rows();
        std::vector<std::optional<PlacedChip>> kept = std::move(cells_);
        Take(board);
        board.Replace(cols_, rows_, kept);
        cols_ = cols;
        rows_ = rows;
    }
    int cols_;
    int rows_;
    std::vector<std::optional<PlacedChip>> cells_;  // row by row
};

// The sheet's shape, beside the whole-sheet step's pixels: a new sheet or a
// load may reshape the sheet, and its undo gives the old shape back.
class SheetShapeCommand final : public ExchangeCommand {
public:
    explicit SheetShapeCommand(const SheetGeometry& geometry) : geometry_(geometry) {}
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    void Exchange(Project& project) override { project.Sheet.ExchangeShape(geometry_); }
    SheetGeometry geometry_;
};

}  // namespace

std::unique_ptr<Command> Project::SheetShapeStep() const {
    return std::make_unique<SheetShapeCommand>(Sheet.Geometry());
}

std::unique_ptr<Command> Project::PaletteEntryStep(std::size_t entry, canvas::Colour now, canvas::Colour before) const {
    return std::make_unique<PaletteEntryCommand>(!UserPalette.empty(), entry, now, before, Drawing.left == before,
                                                 Drawing.right == before);
}

std::unique_ptr<Command> Project::BoardStep() const { return std::make_unique<BoardCommand>(Board); }

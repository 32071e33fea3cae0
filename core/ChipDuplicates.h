// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/Orientation.h"
#include "core/SheetDocument.h"

// Which chips of a sheet repeat an earlier chip, exactly or mirrored and
// turned. Chips are numbered in reading order (row x columns + column, the
// order of a Tiled tileset), and "earlier" is in that order.
namespace duplicates {

enum class Kind : std::uint8_t {
    Empty,     // every pixel black, or every pixel the transparent colour
    Unique,    // the first of its pixels, also up to orientation
    Exact,     // the same pixels as an earlier chip
    Oriented,  // an earlier chip mirrored or turned, and no exact copy of one
};

struct ChipMatch {
    Kind kind = Kind::Empty;
    // The first chip with exactly these pixels (the chip itself when it is
    // the first).
    int exactFirst = 0;
    // The first chip that shows as this one in some orientation, and that
    // orientation: this chip is canvas::Oriented(chip shapeFirst, orientation).
    int shapeFirst = 0;
    canvas::Orientation orientation = canvas::Orientation::AsIs;

    // The earlier chip a duplicate repeats and how it lies: for an exact
    // copy its first exact copy as is, for an oriented copy the first of its
    // shape.
    int First() const { return kind == Kind::Exact ? exactFirst : shapeFirst; }
    canvas::Orientation FirstOrientation() const {
        return kind == Kind::Exact ? canvas::Orientation::AsIs : orientation;
    }
};

struct Report {
    SheetGeometry geometry;
    std::vector<ChipMatch> chips;  // in reading order
    int empty = 0;
    int uniqueExact = 0;     // chips not empty and no exact copy of an earlier one
    int uniqueOriented = 0;  // of those, no copy of an earlier one up to orientation

    const ChipMatch& At(int col, int row) const { return chips[static_cast<std::size_t>(row * geometry.cols + col)]; }
};

// The chip's pixels are all black, or all the transparent colour.
bool IsEmptyChip(const canvas::Picture& chip, std::optional<canvas::Colour> transparent);

// Finds the duplicates of the sheet's chips. Each chip's eight orientations
// are hashed once and equal hashes are confirmed pixel for pixel, so the work
// grows with the chips, not with their pairs. Keeps each chip's hashes by
// chip version: after a change only the changed chips are hashed again, and
// without a change Update returns the report it has.
class Finder {
public:
    const Report& Update(const SheetDocument& sheet);

private:
    struct ChipHashes {
        std::uint64_t version = 0;
        bool empty = true;
        std::array<std::uint64_t, canvas::OrientationCount> hash{};  // by orientation
    };
    void Classify(const SheetDocument& sheet);

    Report report_;
    bool valid_ = false;
    std::optional<canvas::Colour> transparent_;
    std::vector<ChipHashes> hashes_;  // per slot of the chip table
    int hashedChipSize_ = 0;
    // Per orientation and pixel of the chip: the weight the pixel's colour
    // takes in that orientation's hash, at the place the pixel lands there.
    std::vector<std::uint64_t> weights_;
};

// The report of one sheet, without keeping anything.
Report Find(const SheetDocument& sheet);

// A sheet of the same shape in which each chip appears once (up to
// orientation, or exactly), packed in the order of first appearance; the
// rest is empty, of the transparent colour when there is one, else black.
struct Packing {
    SheetGeometry geometry;
    canvas::Colour fill = canvas::Black;
    // New chip k (in reading order) is old chip sources[k]; the chips past
    // the last source are the fill.
    std::vector<int> sources;
    // Per old chip: its new chip, and how it lies there: old chip n is
    // canvas::Oriented(new chip newChip[n], orientation[n]).
    std::vector<int> newChip;
    std::vector<canvas::Orientation> orientation;

    // The new sheet as one picture.
    canvas::Picture Compose(const SheetDocument& sheet) const;
};

// Empty chips of the fill all go to one chip of the fill; an empty chip of
// another colour (black on a sheet with a transparent colour) is kept once,
// so that a map showing it shows it still.
Packing Pack(const SheetDocument& sheet, const Report& report, bool exact);

}  // namespace duplicates

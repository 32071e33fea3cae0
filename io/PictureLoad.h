// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/Project.h"
#include "formats/PictureReadError.h"

// What a read of a picture file did to its transparent pixels: the values
// the user's notice is made from.
struct TransparencyNotice {
    bool chosen = false;                 // T was none and this read chose it
    canvas::Colour transparent = 0;      // T after the read, when chosen
    std::int64_t partlyTransparent = 0;  // pixels composited over T
    bool Any() const { return chosen || partlyTransparent > 0; }
};

// A picture file read for the sheet or a chip: the top-left part that a load
// keeps, its alpha turned into colours by the sheet's transparent colour;
// or the reader's refusal. Reading changes nothing; Take...Into does.
struct PictureLoad {
    std::optional<PictureReadError> refusal;
    canvas::Picture picture;
    std::optional<canvas::Colour> transparent;  // T once the picture is taken
    TransparencyNotice notice;
    std::optional<std::vector<canvas::Colour>> table;  // the file's colour table, if indexed
    bool jpeg = false;                                 // read from a JPEG file, whose name a save must not reuse
    // The part kept is whole, but the file is damaged after it.
    bool damagedAfterKeptPart = false;

    explicit operator bool() const { return !refusal; }
};

// The top-left `width` x `height` pixels of the picture at `path` (the whole
// picture where it is smaller).
// `transparent`: T as the read takes it.
PictureLoad ReadPictureForSheet(std::optional<canvas::Colour> transparent, const std::string& path, int width,
                                int height);

// The picture becomes the whole sheet: every chip cut from it (black where
// it is smaller), the transparent colour taken over; one undo step with the
// history on, the one-level undo given up. Every whole-sheet load ends here.
// `current` is the chip being edited.
// A `shape` given reshapes the sheet within that step first.
void TakeIntoSheet(Project& project, const PictureLoad& read, ChipRef current,
                   std::optional<SheetGeometry> shape = std::nullopt);
// The picture becomes chip (col, row), as an undo step of the history.
void TakeIntoChip(Project& project, int col, int row, const PictureLoad& read);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "core/History.h"
#include "core/SheetDocument.h"
#include "core/TryOutBoard.h"

// Everything the artist makes, in one place: the sheet (chips with their
// versions, the transparent colour, the colour table, the animations), the
// user palette, the try-out board and the one history of changes to them.
// Whatever keeps, undoes or recovers the work takes it from here; the window
// keeps only what it shows.
class Project {
public:
    SheetDocument Sheet;
    // The file the sheet came from and an overwrite save writes; empty when
    // there is none or it is not one to overwrite (a JPEG).
    std::string FileName;
    // The palette loaded from a palette file; empty when none is.
    std::vector<canvas::Colour> UserPalette;
    // The colours the left and the right button draw with.
    struct DrawingColours {
        canvas::Colour left = 0xFFFFFF;
        canvas::Colour right = 0x000000;
    } Drawing;
    TryOutBoard Board;
    History history;

    // ---- Steps of the history, each recorded just before its change ----
    // Chip (col, row), or the block of cols x rows chips at (col, row).
    // `alongside`: what else the change replaces, undone with the pixels.
    void RecordChip(ChipRef chip, History::OneLevel oneLevel, std::unique_ptr<Command> alongside = nullptr);
    void RecordBlock(ChipRef topLeft, int cols, int rows, History::OneLevel oneLevel);
    // Every chip (a load, a paste over the sheet, the replay, a new sheet) and
    // the sheet's shape, with what else the change replaces; `current` is the
    // chip being edited.
    void RecordSheet(ChipRef current, std::unique_ptr<Command> alongside = nullptr);
    // The board's cells and size (a stamp, a clear, a new size).
    void RecordBoard();
    // A part kept whole (see KeepPart); the one-level undo lets it pass.
    template <typename Part>
    void RecordPart(Part part) {
        if (history.On()) history.Record(*this, KeepPart(*this, part), History::OneLevel::Passed);
    }

    // The palette entry that a palette swap changes: a command that gives it
    // back its colour when it still holds the one the swap left, and with it
    // each drawing colour that had the entry's colour before the swap.
    std::unique_ptr<Command> PaletteEntryStep(std::size_t entry, canvas::Colour now, canvas::Colour before) const;
    std::unique_ptr<Command> BoardStep() const;
    std::unique_ptr<Command> SheetShapeStep() const;

    std::optional<History::Done> Undo(ChipRef current) { return history.Undo(*this, current); }
    std::optional<History::Done> Redo() { return history.Redo(*this); }
};

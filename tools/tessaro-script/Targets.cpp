// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Targets.h"

#include "edit/EditorForm.h"
#include "tools/tessaro-script/ScriptError.h"

namespace script {

std::string TargetName(const Target& target) {
    switch (target.kind) {
        case Target::Kind::Chip: return "chip " + std::to_string(target.col) + " " + std::to_string(target.row);
        case Target::Kind::SheetView: return "sheetview";
        case Target::Kind::EditView: return "editview";
        case Target::Kind::PaletteView: return "paletteview";
        case Target::Kind::SheetImage: return "SheetImage";
        case Target::Kind::UndoImage: return "UndoImage";
        case Target::Kind::Clipboard: return "clipboard";
        case Target::Kind::BoardView: return "boardview";
        case Target::Kind::TileView: return "tileview";
    }
    return "?";
}

const canvas::Picture* FindPicture(const Target& target, const Session& session) {
    const EditorForm& form = session.form;
    switch (target.kind) {
        case Target::Kind::Chip:
            if (!form.project.Sheet.Geometry().Contains(target.col, target.row))
                throw ScriptError("no chip at column " + std::to_string(target.col) + ", row " +
                                  std::to_string(target.row) + " on a sheet of " +
                                  std::to_string(form.project.Sheet.Geometry().cols) + " x " +
                                  std::to_string(form.project.Sheet.Geometry().rows) + " chips");
            return &form.Chip(target.col, target.row);
        case Target::Kind::SheetView: return &form.ScreenI;
        case Target::Kind::EditView: return &form.EditI;
        case Target::Kind::PaletteView: return &form.Pallete;
        case Target::Kind::SheetImage: return &form.SheetImage;
        case Target::Kind::UndoImage: return &form.UndoImage();
        case Target::Kind::TileView: return &form.TileI;
        case Target::Kind::Clipboard: {
            const auto& clip = session.platform.Clipboard();
            return clip ? &*clip : nullptr;
        }
        case Target::Kind::BoardView: {
            const TryOutBoard& board = form.project.Board;
            // 64 x 64 cells at zoom 4; a script has no use for larger ones.
            if (static_cast<long long>(board.ViewWidth()) * board.ViewHeight() > (1LL << 24))
                throw ScriptError("the board view is too large to look at whole");
            board.Draw(session.boardView, {0, 0, board.ViewWidth(), board.ViewHeight()}, form.project.Sheet.Chips(), {},
                       form.project.Sheet.TransparentColor);
            return &session.boardView;
        }
    }
    return nullptr;
}

}  // namespace script

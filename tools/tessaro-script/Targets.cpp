#include "tools/tessaro-script/Targets.h"

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
    }
    return "?";
}

const canvas::Picture* FindPicture(const Target& target, const Session& session) {
    const TForm1& form = session.form;
    switch (target.kind) {
        case Target::Kind::Chip: return &form.Chip(target.col, target.row);
        case Target::Kind::SheetView: return &form.ScreenI;
        case Target::Kind::EditView: return &form.EditI;
        case Target::Kind::PaletteView: return &form.Pallete;
        case Target::Kind::SheetImage: return &form.SheetImage;
        case Target::Kind::UndoImage: return &form.UndoImage;
        case Target::Kind::Clipboard: {
            const auto& clip = session.platform.Clipboard();
            return clip ? &*clip : nullptr;
        }
    }
    return nullptr;
}

}  // namespace script

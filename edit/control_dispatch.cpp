// SPDX-License-Identifier: GPL-3.0-or-later
// Which handler a click or the opening of a menu runs: the wiring the window
// and the scenario driver share.
#include <stdexcept>
#include <string>

#include "core/ControlTable.h"
#include "edit/EditorForm.h"

namespace {

using enum ControlId;

std::string NameForError(ControlId id) {
    if (static_cast<std::size_t>(id) >= ControlCount) return "control " + std::to_string(static_cast<int>(id));
    return std::string(NameOf(id));
}

}  // namespace

void EditorForm::Click(ControlId control) {
    // Separators never reach a handler, although they lie inside the ranges.
    if (static_cast<std::size_t>(control) < ControlCount && InfoOf(control).kind == ControlKind::Separator) {
        throw std::invalid_argument(NameForError(control) + " has no click handler");
    }
    if (Between(control, LoadMenu, ExitMenu)) return FileMenuClick(control);
    if (control == SheetPaletteSaveMenu) return SaveWithSheetPalette();
    if (control == SheetColoursSaveMenu) return SaveWithSheetColours();
    if (control == UserPaletteSaveMenu) return SaveWithUserPalette();
    if (control == PaletteLoadMenu) return PaletteLoadMenuClick();
    if (control == PaletteSaveMenu) return PaletteSaveMenuClick();
    if (control == NewSheetMenu) return NewSheetMenuClick();
    if (control == UserPaletteMenu) return UserPaletteMenuClick();
    if (control == AnimMenu) return AnimMenuClick();
    if (control == AnimFramesMenu) return AnimFramesMenuClick();
    if (control == BlockMenu) return BlockMenuClick();
    if (control == AutotileMenu) return AutotileMenuClick();
    if (control == DuplicatesMenu) return DuplicatesMenuClick();
    if (control == TerrainBrushMenu) return TerrainBrushMenuClick();
    if (Between(control, AllCopyMenu, RedoMenu)) return EditMenuClick(control);
    if (Between(control, WhiteMenu, UnMenu)) return LineColor(control);
    if (Between(control, mZoom2, mZoom10)) return mZoomClick(control);
    if (Between(control, mPSize1, mPSize4)) return mPSize1Click(control);
    if (control == wakuMenu) return wakuMenuClick();
    if (control == chrSMenu) return chrSMenuClick();
    if (control == KeyPickMenu) return KeyPickMenuClick();
    if (control == KeyNoneMenu) return KeyNoneMenuClick();
    if (control == LangEnMenu) return LangEnMenuClick();
    if (control == StrokeMenu) return StrokeMenuClick();
    if (control == HistoryMenu) return HistoryMenuClick();
    if (control == KeysMenu) return KeysMenuClick();
    if (control == WideMenu) return WideMenuClick();
    if (control == ResetSettingsMenu) return ResetSettingsMenuClick();
    if (control == DoublePressMenu) return DoublePressMenuClick();
    if (Between(control, UpMenu, VrevMenu)) return MoveMenuClick(control);
    // The Help menu's own click runs the handler of its items too.
    if (Between(control, helpMenu, mGo)) return helpMenuClick(control);
    if (Between(control, popCopyMenu, pop256SaveMenu)) return popMenuClick(control);
    if (Between(control, mPen1, mPen4)) return mPenClick(control);
    if (control == TileViewMenu) return TileViewMenuClick();
    if (control == WrapMenu) return WrapMenuClick();
    if (Between(control, TileRepeatMenu, TileZoom4)) return TileMenuClick(control);
    if (Between(control, PenB, LineB) || control == MemSaveB || control == MemLoadB) return ToolButtonClick(control);
    if (control == BoardMenu) return BoardMenuClick();
    if (control == BoardLoadMenu || control == BoardSaveMenu) return BoardFileClick(control);
    if (Between(control, StampMirrorXMenu, StampAsIsMenu)) return StampOrientationClick(control);
    if (control == BoardClearMenu || control == BoardSizeMenu || Between(control, BoardZoom1, BoardZoom4))
        return BoardViewClick(control);
    throw std::invalid_argument(NameForError(control) + " has no click handler");
}

void EditorForm::OpenMenu(ControlId menu) {
    switch (menu) {
        case FileMenu: return FileMenuSet();
        case EditMenu: return Edit1Click();
        case ScreenMenu: return ScreenMenuPopup();
        default: throw std::invalid_argument(NameForError(menu) + " has no open handler");
    }
}

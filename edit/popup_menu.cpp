// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet's pop-up menu: copy, paste, load and save the one chip on which it
// was opened (PopupCol, PopupRow). Every command ends by redrawing the sheet's
// frame, which also removes the blue mark of the right-click, whether it did
// its work, was cancelled or failed to read its file.
#include "edit/EditorForm.h"
#include "io/clipboard.h"
#include "io/FileMessages.h"
#include "io/PictureSave.h"

namespace {

bool IsChipBeingEdited(const TForm1& form) { return form.PopupCol == form.CurCol && form.PopupRow == form.CurRow; }

void PasteIntoPopupChip(TForm1& form) {
    if (TakeClipboardIntoSheetImage(form)) {
        form.RecordUndoStep(form.PopupCol, form.PopupRow);
        form.ChangeChip(form.PopupCol, form.PopupRow).Draw(0, 0, form.SheetImage);
        form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows);
        form.Modified = true;
    }
    // Only the undo copy of the chip being edited can be spoilt by the paste.
    if (IsChipBeingEdited(form)) form.project.history.DropOneLevel();
}

void LoadIntoPopupChip(EditorForm& form) {
    const std::optional<std::string> path = form.platform.PictureOpenDialog();
    if (!path) return;
    // A failed read has shown its message and changed nothing.
    if (!form.LoadChipFile(*path, form.PopupCol, form.PopupRow)) return;
    if (IsChipBeingEdited(form)) form.project.history.DropOneLevel();
    form.Modified = true;
    form.Relayout(form.Def.ChipSize, form.Def.SheetCols, form.Def.SheetRows);
}

// A failed write leaves as an EditorError for the generic error handler, as
// the chip save of the File menu does.
void SavePopupChip(TForm1& form) {
    if (const std::optional<std::string> path = form.platform.PictureSaveDialog())
        SaveFile(*path, EncodePictureFile(*path, form.Chip(form.PopupCol, form.PopupRow),
                                          form.project.Sheet.TransparentColor, form.project.Sheet.Geometry().chipSize));
}

// The palette writer writes SheetImage, so the chip goes there first; the
// writer runs the dialog itself and refuses colours outside its table.
void SavePopupChipIn256Colours(EditorForm& form) {
    const int size = form.Def.ChipSize;
    form.SheetImage.SetSize(size, size);
    form.SheetImage.Draw(0, 0, form.Chip(form.PopupCol, form.PopupRow));
    form.Save256ColourBmp();
}

}  // namespace

void EditorForm::ScreenMenuPopup() { controls.SetEnabled(ControlId::popPasteMenu, platform.ClipboardHasBitmap()); }

void EditorForm::popMenuClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::popCopyMenu: PutOnClipboard(*this, Chip(PopupCol, PopupRow)); break;
        case ControlId::popPasteMenu: PasteIntoPopupChip(*this); break;
        case ControlId::popLoadMenu: LoadIntoPopupChip(*this); break;
        case ControlId::popSaveMenu: SavePopupChip(*this); break;
        case ControlId::pop256SaveMenu: SavePopupChipIn256Colours(*this); break;
        default: return;
    }
    DrawSheetFrame();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The Edit menu: copies of the chip (or block) being edited and of the whole
// sheet, and pastes into the chip (or block) or over the whole sheet.
#include "io/clipboard.h"

#include "io/FormWithFiles.h"
#include "io/PictureLoad.h"
#include "io/PictureSave.h"

bool TakeClipboardIntoSheetImage(TForm1& form) {
    if (!form.platform.ClipboardHasBitmap()) return false;
    std::optional<canvas::Picture> picture = form.platform.ClipboardTake();
    if (!picture) return false;
    form.SheetImage.SetSize(picture->Width(), picture->Height());
    form.SheetImage.Draw(0, 0, *picture);
    return true;
}

void PutOnClipboard(TForm1& form, const canvas::Picture& picture) {
    form.platform.ClipboardPut(picture, EncodePictureFile("clipboard.png", picture, form.project.Sheet.TransparentColor,
                                                          form.project.Sheet.Geometry().chipSize));
}

void FormWithFiles::Edit1Click() {
    const bool hasBitmap = platform.ClipboardHasBitmap();
    controls.SetEnabled(ControlId::PasteChrMenu, hasBitmap);
    controls.SetEnabled(ControlId::ReplaceMenu, hasBitmap);
    controls.SetEnabled(ControlId::UndoMenu, UndoSteps() > 0);
    controls.SetEnabled(ControlId::RedoMenu, RedoSteps() > 0);
}

void FormWithFiles::EditMenuClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::AllCopyMenu:
            ComposeSheet();
            PutOnClipboard(*this, SheetImage);
            break;
        // A block goes as one picture and comes back as one.
        case ControlId::chrCopyMenu: PutOnClipboard(*this, EditedPicture()); break;
        case ControlId::PasteChrMenu:
            if (TakeClipboardIntoSheetImage(*this)) {
                RecordEditedStep(History::OneLevel::Passed);
                ChangeEdited([this](canvas::Picture& edited) { edited.Draw(0, 0, SheetImage); });
                Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
                Modified = true;
            }
            // No undo copy is taken, so whatever was copied before no longer applies.
            project.history.DropOneLevel();
            break;
        case ControlId::ReplaceMenu:
            // Unlike a sheet load, the file name and the caption stay.
            if (TakeClipboardIntoSheetImage(*this)) {
                PictureLoad pasted;
                pasted.picture = SheetImage;
                pasted.transparent = project.Sheet.TransparentColor;
                // A sheet of its own shape may take the picture's, as a load may.
                TakeSheet(pasted, AskPictureShape(SheetImage.Width(), SheetImage.Height()));
            }
            break;
        case ControlId::UndoMenu: Undo(); break;
        case ControlId::RedoMenu: Redo(); break;
        default: break;
    }
}

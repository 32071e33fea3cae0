// The sheet's pop-up menu: copy, paste, load and save the one chip on which it
// was opened (PopupCol, PopupRow). Every command ends by redrawing the sheet's
// frame, which also removes the blue mark of the right-click.
#include "core/Form.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"

void TForm1::ScreenMenuPopup() {
    controls.SetEnabled(ControlId::popPasteMenu, platform.ClipboardHasBitmap());
}

void TForm1::popMenuClick(ControlId Sender) {
    canvas::Picture& chip = Chip(PopupCol, PopupRow);
    const bool isChipBeingEdited = PopupCol == CurCol && PopupRow == CurRow;
    switch (Sender) {
    case ControlId::popCopyMenu:
        platform.ClipboardPut(chip);
        break;
    case ControlId::popPasteMenu:
        if (platform.ClipboardHasBitmap()) {
            if (std::optional<canvas::Picture> picture = platform.ClipboardTake()) {
                SheetImage.SetSize(picture->Width(), picture->Height());
                SheetImage.Draw(0, 0, *picture);
                chip.Draw(0, 0, SheetImage);
                Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
                Modified = true;
            }
        }
        if (isChipBeingEdited) UndoAvailable = false;
        break;
    case ControlId::popLoadMenu: {
        std::optional<std::string> path = platform.PictureOpenDialog();
        if (!path) return;
        if (!LoadChipFile(*path, PopupCol, PopupRow)) return;
        if (isChipBeingEdited) UndoAvailable = false;
        Modified = true;
        Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
        break;
    }
    case ControlId::popSaveMenu:
        if (std::optional<std::string> path = platform.PictureSaveDialog())
            WriteFileAtomically(*path, bmp::Encode24(chip));
        break;
    case ControlId::pop256SaveMenu:
        SheetImage.SetSize(Def.ChipSize, Def.ChipSize);
        SheetImage.Draw(0, 0, chip);
        Save256ColourBmp();
        break;
    default:
        return;
    }
    DrawSheetFrame();
}

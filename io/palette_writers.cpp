// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet (or a chip, from the pop-up menu) as an 8-bit BMP or an indexed
// PNG (by the name's extension) with the fixed colour table: exactly, or
// reduced to the colour cube. Both read SheetImage as the caller left it and
// index every pixel before asking for a name.
#include <string>

#include "formats/PaletteBmp.h"
#include "io/FileMessages.h"
#include "io/FormWithFiles.h"
#include "io/PictureSave.h"

namespace {

// The file is made for the chosen name's format once it is known.
void AskNameAndWrite(TForm1& form, const palette_bmp::IndexedPicture& picture) {
    const std::optional<std::string> path = form.platform.PictureSaveDialog();
    if (!path) return;
    // A failed write is the generic handler's to report.
    SaveFile(*path, EncodePaletteFile(*path, picture, form.Palette256, form.project.Sheet.TransparentColor,
                                      form.project.Sheet.Geometry().chipSize));
}

}  // namespace

void FormWithFiles::Save256ColourBmp() {
    std::optional<canvas::Point> offTable;
    const palette_bmp::IndexedPicture picture = palette_bmp::Index256Colours(SheetImage, Palette256, offTable);
    if (offTable) {
        platform.ShowMessage(OffTableText(*offTable));
        return;
    }
    AskNameAndWrite(*this, picture);
}

void FormWithFiles::Save216ColourBmp() { AskNameAndWrite(*this, palette_bmp::Index216Colours(SheetImage)); }

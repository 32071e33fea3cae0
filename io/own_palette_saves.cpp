// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet as an 8-bit BMP or an indexed PNG (by the name's extension) with
// a palette of its own: the table of the indexed file it was loaded from, the
// sheet's own colours, or the palette file loaded as the user palette. Each
// indexes every pixel before asking for a name.
#include <string>

#include "core/Translation.h"
#include "formats/OwnPalette.h"
#include "io/FileMessages.h"
#include "io/FormWithFiles.h"
#include "io/PaletteFiles.h"

namespace {

void AskNameAndWrite(TForm1& form, const palette_bmp::IndexedPicture& picture, const palette_file::Palette& palette) {
    const std::optional<std::string> path = form.platform.PictureSaveDialog();
    if (!path) return;
    // A failed write is the generic handler's to report.
    SaveFile(*path, EncodeOwnPaletteFile(*path, picture, palette, form.project.Sheet.TransparentColor,
                                         form.project.Sheet.Geometry().chipSize));
}

// Every pixel must be exactly one of the table's colours; the first that is
// not is named and nothing is asked or written.
void SaveWithTable(TForm1& form, const palette_file::Palette& table) {
    form.ComposeSheet();
    const own_palette::Indexing indexing = own_palette::IndexWithPalette(form.SheetImage, table);
    if (const std::optional<canvas::Point> offTable = indexing.offTable) {
        form.platform.ShowMessage(OffTableText(*offTable));
        return;
    }
    AskNameAndWrite(form, indexing.picture, indexing.palette);
}

}  // namespace

void FormWithFiles::SaveWithSheetPalette() {
    if (project.Sheet.ColourTable.empty()) {
        platform.ShowMessage(Tr(
            TSR_MESSAGE("OwnPalette", "シートにパレットがありません。インデックスカラーの画像を読み込んでください。")));
        return;
    }
    SaveWithTable(*this, project.Sheet.ColourTable);
}

void FormWithFiles::SaveWithUserPalette() {
    if (project.UserPalette.empty()) {
        platform.ShowMessage(
            Tr(TSR_MESSAGE("OwnPalette", "自分のパレットがありません。パレットファイルを読み込んでください。")));
        return;
    }
    SaveWithTable(*this, project.UserPalette);
}

void FormWithFiles::SaveWithSheetColours() {
    ComposeSheet();
    const own_palette::Indexing indexing = own_palette::IndexWithOwnColours(SheetImage, project.Sheet.TransparentColor);
    if (indexing.Refused()) {
        platform.ShowMessage(
            Tr(TSR_MESSAGE("OwnPalette", "シートの色が%1色あります。256色を超えるため保存できません。"),
               {std::to_string(indexing.colourCount)}));
        return;
    }
    AskNameAndWrite(*this, indexing.picture, indexing.palette);
}

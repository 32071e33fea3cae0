// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/PictureLoad.h"

#include "formats/Transparency.h"
#include "io/PictureFile.h"

PictureLoad ReadPictureForSheet(const SheetDocument& sheet, const std::string& path, int width, int height) {
    PictureLoad load;
    load.jpeg = IsJpegPath(path);
    PictureWithAlpha picture;
    try {
        picture = LoadPictureWithAlpha(path, width, height);
    } catch (const PictureReadError& e) {
        load.refusal = e;
        return load;
    }
    load.damagedAfterKeptPart = picture.damagedAfterKeptPart;
    load.table = std::move(picture.table);
    const std::vector<std::uint8_t> tableAlpha = std::move(picture.tableAlpha);
    TransparencyResult read = ApplyTransparency(std::move(picture), sheet.TransparentColor);
    // The table's transparent entries take the colours their pixels took,
    // so that the pixels keep their indices in a save with the table.
    if (load.table && read.transparent)
        for (std::size_t i = 0; i < tableAlpha.size() && i < load.table->size(); ++i)
            if (tableAlpha[i] != 255)
                (*load.table)[i] = CompositeOver((*load.table)[i], tableAlpha[i], *read.transparent);
    load.picture = std::move(read.picture);
    load.transparent = read.transparent;
    load.notice = {read.chosen, read.transparent.value_or(0), read.partlyTransparent};
    return load;
}

void TakeIntoSheet(SheetDocument& sheet, const PictureLoad& read, ChipRef current, std::optional<SheetGeometry> shape) {
    sheet.TransparentColor = read.transparent;
    sheet.RecordSheetStep(current.col, current.row);
    if (shape && sheet::Fits(*shape)) sheet.Reshape(*shape);
    sheet.CutIntoChips(read.picture);
    sheet.ColourTable = read.table.value_or(std::vector<canvas::Colour>{});
}

void TakeIntoChip(SheetDocument& sheet, int col, int row, const PictureLoad& read) {
    sheet.TransparentColor = read.transparent;
    sheet.RecordStep(col, row, SheetDocument::OneLevel::Passed);
    sheet.ChangeChip(col, row).Draw(0, 0, read.picture);
}

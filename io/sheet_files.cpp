// SPDX-License-Identifier: GPL-3.0-or-later
// The File menu: whole sheets and single chips read from BMP, JPEG and PNG
// files, the sheet and the chip being edited saved as 24-bit BMP or PNG
// files (by the name's extension), and the
// commands that hand the sheet to the numbered save and the palette writers.
#include <algorithm>
#include <string>

#include "core/EditorError.h"
#include "core/Translation.h"
#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"
#include "formats/Transparency.h"
#include "io/AtomicFile.h"
#include "io/FileMessages.h"
#include "io/FormWithFiles.h"
#include "io/numbered_save.h"
#include "io/PictureLoad.h"
#include "io/PictureSave.h"

namespace {

constexpr SourceText ReadFailed = TSR_MESSAGE("SheetFiles", "ファイルの読み込みに失敗しました");
constexpr SourceText SaveFailed = TSR_MESSAGE("SheetFiles", "保存できませんでした");
constexpr SourceText TooLarge = TSR_MESSAGE("SheetFiles", "画像が大きすぎて読み込めません");
constexpr SourceText DamagedAfterKeptPart =
    TSR_MESSAGE("SheetFiles", "ファイルの後半が壊れています。使う部分は無事だったので読み込みました。");

constexpr SourceText TakeShapeQuestion =
    TSR_MESSAGE("SheetFiles",
                "画像（%1×%2）はシートと大きさが違います。シートを画像に合わせて%3×%4チップにしますか？\n"
                "（キャンセル：今の%5×%6チップのまま、画像の左上を読み込みます）");

// The sheet of `chipSize` chips that a picture of width x height divides
// into: its whole chips, within the largest sheet.
SheetGeometry FittedGeometry(int chipSize, int width, int height) {
    return {chipSize, std::clamp(width / chipSize, 1, sheet::MaxCols),
            std::clamp(height / chipSize, 1, sheet::MaxRows)};
}

// A sheet the editor starts with keeps its shape, and reads only its own
// part of a picture, without a question.
bool HasOwnShape(const SheetGeometry& g) { return g != sheet::Default; }

// The composed sheet to `path`; false (with the message shown) on failure.
bool WriteWholeSheet(TForm1& form, const std::string& path) {
    form.ComposeSheet();
    if (const std::optional<FileWriteError> failed = WritePictureFile(
            path, form.SheetImage, form.project.Sheet.TransparentColor, form.project.Sheet.Geometry().chipSize)) {
        form.platform.ShowMessage(Tr(SaveFailed));
        // A write in place that could not put the old content back.
        if (!failed->Backup().empty())
            form.platform.ShowMessage(
                Tr(TSR_MESSAGE("SheetFiles", "元の内容は \"%1\" に残っています"), {failed->Backup()}));
        return false;
    }
    return true;
}

}  // namespace

void FormWithFiles::ReportReadRefusal(const PictureReadError& refusal) {
    // Faulty JPEG data after a good header leave for the generic error
    // handler before anything has changed.
    if (refusal.Reason() == PictureReadReason::FaultyData)
        throw EditorError(Tr(TSR_MESSAGE("SheetFiles", "JPEG のデータが壊れています（%1）"), {refusal.what()}));
    platform.ShowMessage(Tr(refusal.Reason() == PictureReadReason::TooLarge ? TooLarge : ReadFailed));
}

void FormWithFiles::ShowTransparencyNotice(const TransparencyNotice& notice) {
    if (notice.Any())
        platform.ShowMessage(TransparencyMessage(notice.chosen, notice.transparent, notice.partlyTransparent));
}

void FormWithFiles::TakeSheet(const PictureLoad& read, std::optional<SheetGeometry> shape) {
    TakeIntoSheet(project, read, {CurCol, CurRow}, shape);
    // The sheet's colour table may be what the palette view shows.
    if (Options.userPalette) DrawPaletteView();
    // The sheet's shape, which the load may have changed.
    const SheetGeometry g = project.Sheet.Geometry();
    Relayout(g.chipSize, g.cols, g.rows);
    DropPendingPoint();
}

bool FormWithFiles::LoadSheetFile(const std::string& path) {
    const SheetGeometry& g = project.Sheet.Geometry();
    // A sheet of its own shape reads the whole picture, up to the largest
    // sheet, so that it can take the picture's shape; the sheet the editor
    // starts with reads its own part only.
    const bool ownShape = HasOwnShape(g);
    const PictureLoad read =
        ReadPictureForSheet(project.Sheet.TransparentColor, path, ownShape ? sheet::MaxSide : g.Width(),
                            ownShape ? sheet::MaxSide : g.Height());
    if (!read) {
        ReportReadRefusal(*read.refusal);
        return false;
    }
    TakeSheet(read, AskPictureShape(read.picture.Width(), read.picture.Height()));
    // After a JPEG the overwrite save asks for a name rather than writing BMP
    // data over the JPEG file.
    project.FileName = read.jpeg ? std::string() : path;
    ShowFileNameInCaption();
    // Said over the sheet as it now is.
    ShowTransparencyNotice(read.notice);
    if (read.damagedAfterKeptPart) platform.ShowMessage(Tr(DamagedAfterKeptPart));
    return true;
}

std::optional<SheetGeometry> FormWithFiles::AskPictureShape(int width, int height) {
    const SheetGeometry g = project.Sheet.Geometry();
    const SheetGeometry fitted = FittedGeometry(g.chipSize, width, height);
    if (!HasOwnShape(g) || fitted == g || !sheet::Fits(fitted)) return std::nullopt;
    if (!platform.AskQuestion(
            Tr(TakeShapeQuestion, {std::to_string(width), std::to_string(height), std::to_string(fitted.cols),
                                   std::to_string(fitted.rows), std::to_string(g.cols), std::to_string(g.rows)})))
        return std::nullopt;
    return fitted;
}

bool FormWithFiles::LoadChipFile(const std::string& path, std::int32_t col, std::int32_t row) {
    const PictureLoad read = ReadPictureForSheet(project.Sheet.TransparentColor, path, Def.ChipSize, Def.ChipSize);
    if (!read) {
        ReportReadRefusal(*read.refusal);
        return false;
    }
    TakeIntoChip(project, col, row, read);
    if (read.notice.Any()) {
        // Said over the sheet with the new chip in it; the caller lays the
        // sheet out afterwards, as after every load.
        DrawChip(col, row, col == CurCol && row == CurRow);
        ShowTransparencyNotice(read.notice);
    }
    return true;
}

void FormWithFiles::FileMenuClick(ControlId Sender) {
    switch (Sender) {
        case ControlId::LoadMenu:
            if (const auto path = platform.PictureOpenDialog()) LoadSheetFile(*path);
            break;
        case ControlId::chrLoadMenu: {
            const auto path = platform.PictureOpenDialog();
            if (!path || !LoadChipFile(*path, CurCol, CurRow)) return;
            // The undo copy stays: like pen strokes, a load is undone
            // together with the last undoable edit before it.
            Modified = true;
            Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
            break;
        }
        case ControlId::SaveMenu: {
            const auto path = platform.PictureSaveDialog();
            if (!path || !WriteWholeSheet(*this, *path)) return;
            Modified = false;
            DropRecoveryCopy();
            project.FileName = *path;
            ShowFileNameInCaption();
            break;
        }
        case ControlId::OSaveMenu:
            if (project.FileName.empty()) {
                const auto path = platform.PictureSaveDialog();
                if (!path) return;
                project.FileName = *path;
            }
            if (!WriteWholeSheet(*this, project.FileName)) return;
            ShowFileNameInCaption();
            Modified = false;
            DropRecoveryCopy();
            break;
        case ControlId::chrSaveMenu:
            // A failed write is the generic handler's to report.
            if (const auto path = platform.PictureSaveDialog())
                SaveFile(*path, EncodePictureFile(*path, Chip(CurCol, CurRow), project.Sheet.TransparentColor,
                                                  project.Sheet.Geometry().chipSize));
            break;
        case ControlId::renMenu: SaveNumberedChips(*this); break;
        case ControlId::mem256S:
            ComposeSheet();
            Save256ColourBmp();
            break;
        case ControlId::N216R1:
            ComposeSheet();
            Save216ColourBmp();
            break;
        case ControlId::ExitMenu: platform.RequestClose(); break;
        default: break;
    }
}

void FormWithFiles::FileMenuSet() { controls.SetEnabled(ControlId::OSaveMenu, Modified); }

// The File menu: whole sheets and single chips read from BMP, JPEG and PNG
// files, the sheet and the chip being edited saved as 24-bit BMP or PNG
// files (by the name's extension), and the
// commands that hand the sheet to the numbered save and the palette writers.
#include <string>

#include "core/EditorError.h"
#include "core/Form.h"
#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"
#include "formats/Transparency.h"
#include "io/AtomicFile.h"
#include "io/FileMessages.h"
#include "io/numbered_save.h"
#include "io/PictureFile.h"
#include "io/PictureSave.h"

namespace {

constexpr const char* ReadFailed = "ファイルの読み込みに失敗しました";
constexpr const char* SaveFailed = "保存できませんでした";
constexpr const char* TooLarge = "画像が大きすぎて読み込めません";

// Fills SheetImage from a picture file, with its top-left `width` x `height`
// pixels: the part a load uses, every other pixel being cut off by the load
// anyway. The rest of a large picture is then not decoded (nor, in a BMP
// file, read).
// SheetImage is scratch, and every load lays the sheet out afterwards, which
// overwrites it; so it holds this part rather than the whole picture.
PictureReadResult ReadTopLeftPart(TForm1& form, const std::string& path, int width, int height) {
    const bool jpeg = IsJpegPath(path);
    PictureWithAlpha picture;
    try {
        picture = LoadPictureWithAlpha(path, width, height);
    } catch (const PictureReadError& e) {
        // Faulty JPEG data after a good header leave for the generic error
        // handler before anything has changed.
        if (e.Reason() == PictureReadReason::FaultyData)
            throw EditorError(std::string("JPEG のデータが壊れています（") + e.what() + "）");
        form.platform.ShowMessage(e.Reason() == PictureReadReason::TooLarge ? TooLarge : ReadFailed);
        return {false, jpeg, {}};
    }
    TransparencyResult read = ApplyTransparency(std::move(picture), form.TransparentColor);
    form.TransparentColor = read.transparent;
    // Taken over rather than copied; the pen and brush stay SheetImage's.
    canvas::Picture& sheet = form.SheetImage;
    const canvas::Colour pen = sheet.PenColour(), brush = sheet.BrushColour();
    sheet = std::move(read.picture);
    sheet.SetPenColour(pen);
    sheet.SetBrushColour(brush);
    return {true, jpeg, TForm1::TransparencyMessage(read.chosen, read.transparent.value_or(0), read.partlyTransparent)};
}

void ShowNotice(TForm1& form, const PictureReadResult& read) {
    if (!read.transparencyNotice.empty()) form.platform.ShowMessage(read.transparencyNotice);
}

// `picture` at its top-left corner of a black `width` x `height` picture.
canvas::Picture SheetSized(const canvas::Picture& picture, int width, int height) {
    canvas::Picture work(width, height);
    work.Draw(0, 0, picture);
    return work;
}

}  // namespace

PictureReadResult TForm1::ReadPictureFile(const std::string& path) {
    const PictureReadResult read = ReadTopLeftPart(*this, path, picture_limits::MaxSide, picture_limits::MaxSide);
    ShowNotice(*this, read);
    return read;
}

void TForm1::CutSheetIntoChips() {
    const int size = Def.ChipSize;
    // A picture of the sheet's size is cut as it is; any other is first
    // cut to that size, black wherever it is smaller.
    if (SheetImage.Width() == Def.SheetCols * size && SheetImage.Height() == Def.SheetRows * size) {
        CutIntoChips(SheetImage);
    } else {
        CutIntoChips(SheetSized(SheetImage, Def.SheetCols * size, Def.SheetRows * size));
    }
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    ForgetUndo();
    DropPendingPoint();
}

bool TForm1::LoadSheetFile(const std::string& path) {
    const PictureReadResult read =
        ReadTopLeftPart(*this, path, Def.SheetCols * Def.ChipSize, Def.SheetRows * Def.ChipSize);
    if (!read.ok) return false;
    CutSheetIntoChips();
    // After a JPEG the overwrite save asks for a name rather than writing BMP
    // data over the JPEG file.
    Def.FileName = read.jpeg ? std::string() : path;
    ShowFileNameInCaption();
    // Said over the sheet as it now is.
    ShowNotice(*this, read);
    return true;
}

bool TForm1::LoadChipFile(const std::string& path, std::int32_t col, std::int32_t row) {
    canvas::Picture& chip = Chip(col, row);
    const PictureReadResult read = ReadTopLeftPart(*this, path, chip.Width(), chip.Height());
    if (!read.ok) return false;
    RecordUndoStep(col, row);
    chip.Draw(0, 0, SheetImage);
    if (!read.transparencyNotice.empty()) {
        // Said over the sheet with the new chip in it; the caller lays the
        // sheet out afterwards, as after every load.
        DrawChip(col, row, col == CurCol && row == CurRow);
        ShowNotice(*this, read);
    }
    return true;
}

namespace {

// The composed sheet to `path`; false (with the message shown) on failure.
bool WriteWholeSheet(TForm1& form, const std::string& path) {
    form.ComposeSheet();
    try {
        WriteFileAtomically(path, EncodePictureFile(path, form.SheetImage, form.TransparentColor));
    } catch (const FileWriteError&) {
        form.platform.ShowMessage(SaveFailed);
        return false;
    }
    return true;
}

}  // namespace

void TForm1::FileMenuClick(ControlId Sender) {
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
            Def.FileName = *path;
            ShowFileNameInCaption();
            break;
        }
        case ControlId::OSaveMenu:
            if (Def.FileName.empty()) {
                const auto path = platform.PictureSaveDialog();
                if (!path) return;
                Def.FileName = *path;
            }
            if (!WriteWholeSheet(*this, Def.FileName)) return;
            ShowFileNameInCaption();
            Modified = false;
            DropRecoveryCopy();
            break;
        case ControlId::chrSaveMenu:
            // A failed write is the generic handler's to report.
            if (const auto path = platform.PictureSaveDialog())
                SaveFile(*path, EncodePictureFile(*path, Chip(CurCol, CurRow), TransparentColor));
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

void TForm1::FileMenuSet() { controls.SetEnabled(ControlId::OSaveMenu, Modified); }

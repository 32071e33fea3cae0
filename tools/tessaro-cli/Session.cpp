// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/Session.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/Form.h"

namespace cli {

Session::Session(const Invocation& inv, std::ostream& o, std::ostream& e, bool terminal)
    : invocation(inv), out(o), err(e), progress(e, !inv.quiet, terminal) {
    // The transparent colour is the command line's: --key, or none as at
    // the editor's start.
    if (inv.key && !inv.key->none) sheet.TransparentColor = inv.key->colour;
}

void Session::Note(const std::string& text) {
    if (!invocation.quiet) err << "tessaro-cli: " << text << '\n';
}

std::string ReasonOf(const PictureReadError& e) {
    std::string detail = e.what();
    switch (e.Reason()) {
        case PictureReadReason::CannotOpen: return std::strerror(e.SystemError());
        case PictureReadReason::NotAFile: return "not a regular file";
        case PictureReadReason::NotAPicture: return "not a picture file Tessaro reads (" + detail + ")";
        case PictureReadReason::TooLarge: return "the picture is too large (" + detail + ")";
        case PictureReadReason::FaultyData: return "its image data are damaged (" + detail + ")";
    }
    return detail;
}

namespace {

// What a read did to transparent pixels, said about the file it read.
void NoteTransparency(Session& s, const std::string& path, const TransparencyNotice& notice) {
    if (notice.chosen)
        s.Note(path + ": transparent pixels now stand as " + ColourText(notice.transparent) +
               " (the transparent colour)");
    if (notice.partlyTransparent > 0)
        s.Note(path + ": " + std::to_string(notice.partlyTransparent) +
               " partly transparent pixels were composited over " + ColourText(s.sheet.TransparentColor.value_or(0)));
}

PictureLoad Read(Session& s, const std::string& path, int width, int height) {
    PictureLoad read = ReadPictureForSheet(s.sheet.TransparentColor, path, width, height);
    if (!read) {
        s.progress.Finish();
        throw UnreadablePicture(path, *read.refusal);
    }
    return read;
}

}  // namespace

Refusal UnreadablePicture(const std::string& path, const PictureReadError& e) {
    return Refusal(path + ": cannot read the picture: " + ReasonOf(e));
}

Refusal UnwritableFile(const FileWriteError& e) {
    return Refusal("cannot write " + e.Path() + ": " + std::strerror(e.SystemError()) + "; nothing was written");
}

canvas::Point LoadSheet(Session& s, const std::string& path) {
    const std::optional<int> chip = s.invocation.chip;
    const PictureLoad read =
        Read(s, path, chip ? sheet::MaxSide : sheet::Default.Width(), chip ? sheet::MaxSide : sheet::Default.Height());
    std::optional<SheetGeometry> shape;
    if (chip)
        shape = SheetGeometry{*chip, std::clamp(read.picture.Width() / *chip, 1, sheet::MaxCols),
                              std::clamp(read.picture.Height() / *chip, 1, sheet::MaxRows)};
    TakeIntoSheet(s.project, read, ChipRef{}, shape);
    NoteTransparency(s, path, read.notice);
    if (read.damagedAfterKeptPart)
        s.Note(path + ": the file is damaged after the part that was read; that part is whole");
    return {read.picture.Width(), read.picture.Height()};
}

void LoadChip(Session& s, const std::string& path, int col, int row) {
    const int side = s.project.Sheet.Geometry().chipSize;
    const PictureLoad read = Read(s, path, side, side);
    TakeIntoChip(s.project, col, row, read);
    NoteTransparency(s, path, read.notice);
}

std::string ImageNameFor(const std::string& tsxPath, const std::string& imagePath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path image = fs::absolute(imagePath, error);
    if (error) return imagePath;
    const fs::path relative = fs::relative(image, fs::absolute(tsxPath, error).parent_path(), error);
    return error || relative.empty() ? image.string() : relative.generic_string();
}

canvas::Picture ComposedSheet(const Session& s) {
    canvas::Picture picture;
    s.sheet.ComposeInto(picture);
    return picture;
}

}  // namespace cli

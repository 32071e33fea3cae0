// SPDX-License-Identifier: GPL-3.0-or-later
// split, join and convert: the sheet cut into numbered chip files, chip
// files placed back into a sheet, and a sheet saved in another format. Each
// runs the editor's own load, numbered names and saves.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "io/numbered_save.h"
#include "io/PictureLoad.h"
#include "io/PictureSave.h"
#include "io/RegularFile.h"
#include "tools/tessaro-cli/ChipOrder.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

bool IsAllBlack(const canvas::Picture& chip) {
    for (int y = 0; y < chip.Height(); ++y) {
        const auto row = chip.Row(y);
        if (std::any_of(row.begin(), row.end(), [](canvas::Colour c) { return c != canvas::Black; })) return false;
    }
    return true;
}

// The whole-sheet save of the File menu to `path`.
void SaveSheet(Session& s, const std::string& path) {
    if (const auto failed =
            WritePictureFile(path, ComposedSheet(s), s.sheet.TransparentColor, s.sheet.Geometry().chipSize))
        throw UnwritableFile(*failed);
}

// Each block of the sheet as one picture file, named as the numbered save
// names its top-left chip; the blocks at the sheet's right and bottom edges
// end where the sheet does.
// A picture left out as empty: the file of its name and its size.
struct LeftOut {
    std::string path;
    int width, height;
};

std::vector<PendingFile> BlockFiles(const Session& s, const std::string& base, BlockSize block,
                                    std::vector<LeftOut>& leftOut) {
    std::vector<PendingFile> files;
    const SheetGeometry& g = s.sheet.Geometry();
    for (const NumberedChip& c : NumberedChips(base, g)) {
        if (c.col % block.cols != 0 || c.row % block.rows != 0) continue;
        const int cols = std::min(block.cols, g.cols - c.col), rows = std::min(block.rows, g.rows - c.row);
        canvas::Picture picture;
        picture.SetSize(cols * g.chipSize, rows * g.chipSize);
        for (int r = 0; r < rows; ++r)
            for (int col = 0; col < cols; ++col)
                picture.Draw(col * g.chipSize, r * g.chipSize, s.sheet.Chip(c.col + col, c.row + r));
        if (s.invocation.skipEmpty && IsAllBlack(picture)) {
            leftOut.push_back({c.name, picture.Width(), picture.Height()});
            continue;
        }
        files.push_back({c.name, EncodePictureFile(c.name, picture, s.sheet.TransparentColor, g.chipSize)});
    }
    return files;
}

// Whether the file at `path` is one that split writes: it reads as a picture
// of this size that, saved again as split saves it, gives the same bytes.
bool WrittenBySplit(const Session& s, const LeftOut& file) {
    const PictureLoad read = ReadPictureForSheet(s.sheet.TransparentColor, file.path, file.width, file.height);
    if (!read || read.picture.Width() != file.width || read.picture.Height() != file.height) return false;
    return FileHolds(file.path,
                     EncodePictureFile(file.path, read.picture, read.transparent, s.sheet.Geometry().chipSize));
}

// The files an earlier split wrote for pictures now left out as empty: a
// join would bring their old chips back, so they go. A file of such a name
// that split did not write is the user's: the split is refused before
// anything is written, naming it.
std::vector<std::string> StaleFiles(const Session& s, const std::vector<LeftOut>& leftOut) {
    std::vector<std::string> stale;
    for (const LeftOut& file : leftOut) {
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(file.path, error))) continue;
        if (!WrittenBySplit(s, file))
            throw Refusal(file.path +
                          ": this empty chip's file is not one that split wrote, so it stays; remove it or split to "
                          "another name; nothing was written");
        stale.push_back(file.path);
    }
    return stale;
}

std::string Counted(std::size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunSplit(Session& s) {
    const std::string& sheetPath = s.invocation.operands[0];
    const std::string& base = s.invocation.operands[1];
    LoadSheet(s, sheetPath);

    std::vector<PendingFile> files;
    std::vector<LeftOut> leftOut;
    if (s.invocation.block) {
        files = BlockFiles(s, base, *s.invocation.block, leftOut);
    } else {
        std::vector<NumberedChip> chips = NumberedChips(base, s.sheet.Geometry());
        if (s.invocation.skipEmpty)
            std::erase_if(chips, [&](const NumberedChip& c) {
                if (!IsAllBlack(s.sheet.Chip(c.col, c.row))) return false;
                leftOut.push_back({c.name, s.sheet.Geometry().chipSize, s.sheet.Geometry().chipSize});
                return true;
            });
        files.reserve(chips.size());
        for (const NumberedChip& c : chips) files.push_back(NumberedChipFile(s.sheet, c));
    }
    const std::vector<std::string> stale = StaleFiles(s, leftOut);
    // A chip file that already holds these bytes stays as it is, time stamp
    // and all, so that build tools see only the chips that changed.
    const std::size_t all = files.size();
    std::erase_if(files, [](const PendingFile& f) { return FileHolds(f.path, f.bytes); });

    try {
        WriteFilesAllOrNone(files,
                            [&](std::size_t done) { s.progress.Update("chip files written", done, files.size()); });
    } catch (const FileWriteError& e) {
        s.progress.Finish();
        throw Refusal("cannot write " + e.Path() + ": " + std::strerror(e.SystemError()) +
                      "; no chip file was written");
    }
    s.progress.Finish();
    std::size_t removed = 0;
    for (const std::string& path : stale) {
        std::error_code error;
        if (!std::filesystem::remove(path, error) && error)
            throw Refusal("cannot remove " + path + ", the file of a chip that is empty now: " + error.message() +
                          "; the other chip files were written");
        ++removed;
    }
    std::string note = Counted(files.size(), "chip file", "chip files") + " written, " +
                       std::to_string(all - files.size()) + " unchanged";
    if (removed > 0) note += ", " + Counted(removed, "file", "files") + " of empty chips removed";
    s.Note(note);
    return 0;
}

int RunJoin(Session& s) {
    const Invocation& inv = s.invocation;
    s.sheet.Reshape({inv.chip.value_or(sheet::Default.chipSize), inv.cols.value_or(sheet::Default.cols),
                     inv.rows.value_or(sheet::Default.rows)});
    const SheetGeometry& g = s.sheet.Geometry();
    const std::vector<ChipPlace> places = PlaceChips(s.invocation.operands, g.cols, g.rows);
    for (std::size_t i = 0; i < places.size(); ++i) {
        LoadChip(s, places[i].path, places[i].col, places[i].row);
        s.progress.Update("chip files read", i + 1, places.size());
    }
    s.progress.Finish();
    SaveSheet(s, *s.invocation.output);
    return 0;
}

int RunConvert(Session& s) {
    LoadSheet(s, s.invocation.operands[0]);
    SaveSheet(s, s.invocation.operands[1]);
    return 0;
}

}  // namespace cli

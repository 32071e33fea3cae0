// SPDX-License-Identifier: GPL-3.0-or-later
// Every chip as a numbered file: base00.bmp for the top-left chip, counting
// along each row, then down; with a base ending in ".png", PNG files named
// without it (map.png: map00.png, map01.png ...).
#include <filesystem>
#include <string>
#include <vector>

#include "core/Translation.h"
#include "io/FileMessages.h"
#include "io/FormWithFiles.h"
#include "io/numbered_save.h"
#include "io/PictureSave.h"

namespace {

bool Exists(const std::string& path) {
    // A link counts, where it leads or not. The name is UTF-8 on every system.
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(std::u8string(path.begin(), path.end()), error));
}

std::string WithoutDirectory(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FormWithFiles::NumberedChipName(const std::string& base, int n) { return NumberedFileName(base, n); }

std::vector<NumberedChip> NumberedChips(const std::string& base, const SheetGeometry& sheet) {
    std::vector<NumberedChip> chips;
    for (int row = 0; row < sheet.rows; ++row)
        for (int col = 0; col < sheet.cols; ++col)
            chips.push_back({FormWithFiles::NumberedChipName(base, row * sheet.cols + col), col, row});
    return chips;
}

PendingFile NumberedChipFile(const SheetDocument& sheet, const NumberedChip& chip) {
    return {chip.name, EncodePictureFile(chip.name, sheet.Chip(chip.col, chip.row), sheet.TransparentColor,
                                         sheet.Geometry().chipSize)};
}

void SaveNumberedChips(TForm1& form) {
    const std::optional<std::string> base = form.platform.NumberedSaveDialog();
    if (!base) return;

    const std::vector<NumberedChip> chips = NumberedChips(*base, form.project.Sheet.Geometry());
    if (chips.empty()) return;
    bool anyExists = false;
    for (const NumberedChip& c : chips) anyExists = anyExists || Exists(c.name);

    if (anyExists && !form.platform.AskQuestion(
                         Tr(TSR_MESSAGE("NumberedSave", "同名のファイルが存在します。上書きして良いですか？")))) {
        form.platform.ShowMessage(Tr(TSR_MESSAGE("NumberedSave", "保存を中止しました。")));
        return;
    }
    // A failed write leaves through the generic handler: the files before it
    // are written, the rest are not, and there is no final message.
    std::vector<PendingFile> files;
    files.reserve(chips.size());
    for (const NumberedChip& c : chips) files.push_back(NumberedChipFile(form.project.Sheet, c));
    SaveFiles(files);

    form.platform.ShowMessage(Tr(TSR_MESSAGE("NumberedSave", "全キャラクタを%1 ～ %2に保存しました。"),
                                 {WithoutDirectory(chips.front().name), WithoutDirectory(chips.back().name)}));
}

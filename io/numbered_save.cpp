// Every chip as a numbered file: base00.bmp for the top-left chip, counting
// along each row, then down.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/Form.h"
#include "io/AtomicFile.h"
#include "io/BmpWriter.h"
#include "io/NumberedSave.h"

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string WithoutDirectory(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string TForm1::NumberedChipName(const std::string& base, int n) {
    return base + (n < 10 ? "0" : "") + std::to_string(n) + ".bmp";
}

void SaveNumberedChips(TForm1& form) {
    const std::optional<std::string> base = form.platform.NumberedSaveDialog();
    if (!base) return;

    struct Entry {
        std::string name;
        int col, row;
    };
    std::vector<Entry> entries;
    bool anyExists = false;
    for (int row = 0; row < form.Def.SheetRows; ++row)
        for (int col = 0; col < form.Def.SheetCols; ++col) {
            entries.push_back({TForm1::NumberedChipName(*base, row * form.Def.SheetCols + col), col, row});
            anyExists = anyExists || Exists(entries.back().name);
        }
    if (entries.empty()) return;

    if (anyExists && !form.platform.AskQuestion("同名のファイルが存在します。上書きして良いですか？")) {
        form.platform.ShowMessage("保存を中止しました。");
        return;
    }
    // A failed write leaves through the generic handler: the files before it
    // are written, the rest are not, and there is no final message.
    std::vector<PendingFile> files;
    files.reserve(entries.size());
    for (const Entry& e : entries) files.push_back({e.name, bmp::Encode24(form.Chip(e.col, e.row))});
    WriteFilesAtomically(files);

    form.platform.ShowMessage("全キャラクタを" + WithoutDirectory(entries.front().name) + " ～ " +
                              WithoutDirectory(entries.back().name) + "に保存しました。");
}

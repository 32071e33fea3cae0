// split, join and convert: the sheet cut into numbered chip files, chip
// files placed back into a sheet, and a sheet saved in another format. Each
// runs the editor's own load, numbered names and saves.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/EditorError.h"
#include "io/FileMessages.h"
#include "io/numbered_save.h"
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
    s.form.Def.FileName.clear();
    s.platform.AnswerNextSave(path);
    s.form.Click(ControlId::SaveMenu);
    // The save names the sheet after the file only once it is written.
    if (!s.platform.SaveAnswered() || s.form.Def.FileName != path || path.empty())
        throw Refusal({path + ": cannot write the file; nothing was written",
                       path + ": " + s.EditorMessages("保存できませんでした")});
    s.ReportNotes();
}

}  // namespace

int RunSplit(Session& s) {
    const std::string& sheet = s.invocation.operands[0];
    const std::string& base = s.invocation.operands[1];
    LoadSheet(s, sheet);

    std::vector<NumberedChip> chips = NumberedChips(s.form, base);
    if (s.invocation.skipEmpty)
        std::erase_if(chips, [&](const NumberedChip& c) { return IsAllBlack(s.form.Chip(c.col, c.row)); });
    std::vector<PendingFile> files;
    files.reserve(chips.size());
    for (const NumberedChip& c : chips) files.push_back(NumberedChipFile(s.form, c));

    const Text unit{"chip files written", "個のキャラクタファイルを書き込みました"};
    try {
        WriteFilesAllOrNone(files,
                            [&](std::size_t done) { s.progress.Update(unit.In(s.language), done, files.size()); });
    } catch (const FileWriteError& e) {
        s.progress.Finish();
        throw Refusal(
            {"cannot write " + e.Path() + ": " + std::strerror(e.SystemError()) + "; no chip file was written",
             SaveFailedText(e) + "（キャラクタのファイルは１つも書き込まれていません）"});
    }
    s.progress.Finish();
    return 0;
}

int RunJoin(Session& s) {
    const std::vector<ChipPlace> places = PlaceChips(s.invocation.operands, s.form.Def.SheetCols, s.form.Def.SheetRows);
    const Text unit{"chip files read", "個のキャラクタファイルを読み込みました"};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const ChipPlace& p = places[i];
        const std::optional<canvas::Colour> keyBefore = s.form.Sheet.TransparentColor;
        bool loaded = false;
        try {
            loaded = s.form.LoadChipFile(p.path, p.col, p.row);
        } catch (const EditorError& e) {
            throw UnreadablePicture(s, p.path, s.form.Def.ChipSize, s.form.Def.ChipSize, e.what());
        }
        if (!loaded) throw UnreadablePicture(s, p.path, s.form.Def.ChipSize, s.form.Def.ChipSize);
        s.ReportNotes(p.path, keyBefore);
        s.progress.Update(unit.In(s.language), i + 1, places.size());
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

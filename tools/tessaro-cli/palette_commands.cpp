// reduce216, palette256 and check: the sheet through the editor's two
// palette writers, and the list of its pixels outside the fixed table.
#include <cstring>
#include <exception>
#include <string>

#include "core/EditorError.h"
#include "formats/PaletteBmp.h"
#include "io/FileWriteError.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

// The most off-table pixels that check lists.
constexpr std::size_t CheckLimit = 100;

std::string PixelText(canvas::Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string ColourOf(const canvas::Picture& picture, canvas::Point p) {
    const canvas::Colour c = picture.GetPixel(p.x, p.y);
    return std::to_string(canvas::RedOf(c)) + "," + std::to_string(canvas::GreenOf(c)) + "," +
           std::to_string(canvas::BlueOf(c));
}

// Loads the sheet and runs the File menu command that composes it and hands
// it to a palette writer, whose save dialog gets `out`. False when the
// writer refused before asking for a name.
bool WriteThroughMenu(Session& s, ControlId command, const std::string& out) {
    LoadSheet(s, s.invocation.operands[0]);
    s.platform.AnswerNextSave(out);
    try {
        s.form.Click(command);
    } catch (const EditorError& e) {
        std::string english = e.what();
        try {
            std::rethrow_if_nested(e);
        } catch (const FileWriteError& cause) {
            english = "cannot write " + cause.Path() + ": " + std::strerror(cause.SystemError());
        }
        throw Refusal(
            {english + "; nothing was written", std::string(e.what()) + "（ファイルは書き込まれていません）"});
    }
    return s.platform.SaveAnswered();
}

}  // namespace

int RunReduce216(Session& s) {
    // The reduction never refuses.
    WriteThroughMenu(s, ControlId::N216R1, s.invocation.operands[1]);
    s.ReportNotes();
    return 0;
}

int RunPalette256(Session& s) {
    const std::string& in = s.invocation.operands[0];
    if (WriteThroughMenu(s, ControlId::mem256S, s.invocation.operands[1])) {
        s.ReportNotes();
        return 0;
    }
    // The writer named the first pixel off the table in its message; the
    // English one names it from the same scan, with its colour.
    std::size_t count = 0;
    const auto off = palette_bmp::OffTablePixels(s.form.SheetImage, s.form.Palette256, 1, count);
    const std::string editor = s.EditorMessages();
    if (off.empty()) throw Refusal({in + ": the 256-colour writer refused the sheet: " + editor, in + ": " + editor});
    throw Refusal({in + ": pixel " + PixelText(off.front()) + " has the colour " +
                       ColourOf(s.form.SheetImage, off.front()) + ", which is not in the 256-colour table (" +
                       std::to_string(count) + " such pixels); nothing was written",
                   in + ": " + editor});
}

int RunCheck(Session& s) {
    const std::string& in = s.invocation.operands[0];
    LoadSheet(s, in);
    // What the 256-colour writer reads: the sheet composed from its chips.
    s.form.ComposeSheet();
    std::size_t count = 0;
    const auto off = palette_bmp::OffTablePixels(s.form.SheetImage, s.form.Palette256, CheckLimit, count);
    for (const canvas::Point p : off) s.out << PixelText(p) << ' ' << ColourOf(s.form.SheetImage, p) << '\n';
    if (count == 0) return 0;
    const std::string n = std::to_string(count);
    const std::string shown = count > off.size() ? std::to_string(off.size()) : std::string();
    throw Refusal({in + ": " + n + " pixels have colours outside the 256-colour table" +
                       (shown.empty() ? "" : " (the first " + shown + " listed)"),
                   in + ": パレット以外の色が" + n + "画素にあります" +
                       (shown.empty() ? "" : "（最初の" + shown + "画素を表示）")});
}

}  // namespace cli

#include "tools/tessaro-cli/Session.h"

#include <cstring>

#include "core/EditorError.h"
#include "io/PictureFile.h"
#include "io/PictureReadError.h"

namespace cli {

Session::Session(const Invocation& inv, std::ostream& o, std::ostream& e, Language lang, bool terminal)
    : invocation(inv), out(o), err(e), language(lang), progress(e, !inv.quiet, terminal), form(platform) {
    form.FormCreate();
    // What start-up said about the settings file concerns the window.
    platform.TakeMessages();
}

std::string Session::EditorMessages(const std::string& fallback) {
    std::string text;
    for (const std::string& m : platform.TakeMessages()) text += (text.empty() ? "" : " ") + m;
    return text.empty() ? fallback : text;
}

void Session::ReportNotes() {
    const std::string notes = EditorMessages();
    if (!notes.empty() && !invocation.quiet) err << "tessaro-cli: " << notes << '\n';
}

namespace {

// Why the reader refuses the file, in English: the handler that refused it
// says so in Japanese only, so the same reader is asked again.
std::string ReaderReason(const std::string& path, int width, int height) {
    try {
        LoadPictureFile(path, width, height);
    } catch (const PictureReadError& e) {
        std::string detail = e.what();
        if (detail.starts_with(path + ": ")) detail.erase(0, path.size() + 2);
        switch (e.Reason()) {
            case PictureReadReason::CannotOpen: return std::strerror(e.SystemError());
            case PictureReadReason::NotAFile: return "not a regular file";
            case PictureReadReason::NotAPicture: return "not a picture file Tessaro reads (" + detail + ")";
            case PictureReadReason::TooLarge: return "the picture is too large (" + detail + ")";
            case PictureReadReason::FaultyData: return "its image data are damaged (" + detail + ")";
        }
    } catch (const std::exception& e) {
        return e.what();
    }
    // Read now: it changed since the load, or failed for want of memory.
    return "it could not be read then";
}

int SheetWidth(const Session& s) { return s.form.Def.SheetCols * s.form.Def.ChipSize; }
int SheetHeight(const Session& s) { return s.form.Def.SheetRows * s.form.Def.ChipSize; }

}  // namespace

Refusal UnreadablePicture(Session& s, const std::string& path, int width, int height, const std::string& raised) {
    s.progress.Finish();
    const std::string editor = raised.empty() ? s.EditorMessages("ファイルの読み込みに失敗しました") : raised;
    s.platform.TakeMessages();
    return Refusal({path + ": cannot read the picture: " + ReaderReason(path, width, height), path + ": " + editor});
}

void LoadSheet(Session& s, const std::string& path) {
    bool loaded = false;
    try {
        loaded = s.form.LoadSheetFile(path);
    } catch (const EditorError& e) {
        // Faulty image data after a good header: the load stopped before
        // any chip changed.
        throw UnreadablePicture(s, path, SheetWidth(s), SheetHeight(s), e.what());
    }
    if (!loaded) throw UnreadablePicture(s, path, SheetWidth(s), SheetHeight(s));
    s.ReportNotes();
}

}  // namespace cli

#include "tools/tessaro-cli/Session.h"

#include "core/EditorError.h"

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

Refusal UnreadablePicture(Session& s, const std::string& path) {
    s.progress.Finish();
    return Refusal({path + ": cannot read the picture (missing, unreadable, or not a picture file Tessaro reads)",
                    path + ": " + s.EditorMessages("ファイルの読み込みに失敗しました")});
}

Refusal DamagedPicture(Session& s, const std::string& path, const std::string& what) {
    s.progress.Finish();
    s.platform.TakeMessages();
    return Refusal({path + ": cannot read the picture: its image data are damaged", path + ": " + what});
}

void LoadSheet(Session& s, const std::string& path) {
    bool loaded = false;
    try {
        loaded = s.form.LoadSheetFile(path);
    } catch (const EditorError& e) {
        // Faulty image data after a good header: the load stopped before
        // any chip changed.
        throw DamagedPicture(s, path, e.what());
    }
    if (!loaded) throw UnreadablePicture(s, path);
    s.ReportNotes();
}

}  // namespace cli

#include "tools/tessaro-cli/Session.h"

#include <cstring>

#include "core/EditorError.h"
#include "formats/PictureReadError.h"
#include "io/PictureFile.h"

namespace cli {

Session::Session(const Invocation& inv, std::ostream& o, std::ostream& e, Language lang, bool terminal)
    : invocation(inv), out(o), err(e), language(lang), progress(e, !inv.quiet, terminal), form(platform) {
    form.FormCreate();
    // What start-up said about the settings file concerns the window.
    platform.TakeMessages();
    // The transparent colour is the command line's, whatever a settings
    // file in the current directory says: --key, or none as at start.
    form.Sheet.TransparentColor.reset();
    if (inv.key && !inv.key->none) form.Sheet.TransparentColor = inv.key->colour;
}

std::string Session::EditorMessages(const std::string& fallback) {
    std::string text;
    for (const std::string& m : platform.TakeMessages()) text += (text.empty() ? "" : " ") + m;
    return text.empty() ? fallback : text;
}

void Session::ReportNotes(const std::string& path, std::optional<canvas::Colour> keyBefore) {
    const std::string notes = EditorMessages();
    if (notes.empty() || invocation.quiet) return;
    const std::string prefix = "tessaro-cli: " + (path.empty() ? std::string() : path + ": ");
    if (language == Language::Japanese) {
        err << prefix << notes << '\n';
        return;
    }
    // The editor's notes of a load that met transparent pixels, in English
    // from what the load did: it chose T, and it composited pixels over T.
    // Any other note is shown as the editor worded it.
    const std::optional<canvas::Colour> key = form.Sheet.TransparentColor;
    bool said = false;
    if (key && !keyBefore) {
        err << prefix << "transparent pixels now stand as " << ColourText(*key) << " (the transparent colour)\n";
        said = true;
    }
    static const std::string partly = "半透明の画素";
    const auto at = notes.find(partly);
    const std::string count = at == std::string::npos ? std::string() : notes.substr(at + partly.size());
    const std::size_t digits = count.find_first_not_of("0123456789");
    if (key && digits != std::string::npos && digits > 0) {
        err << prefix << count.substr(0, digits) << " partly transparent pixels were composited over "
            << ColourText(*key) << '\n';
        said = true;
    }
    if (!said) err << prefix << notes << '\n';
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
    const std::optional<canvas::Colour> keyBefore = s.form.Sheet.TransparentColor;
    bool loaded = false;
    try {
        loaded = s.form.LoadSheetFile(path);
    } catch (const EditorError& e) {
        // Faulty image data after a good header: the load stopped before
        // any chip changed.
        throw UnreadablePicture(s, path, SheetWidth(s), SheetHeight(s), e.what());
    }
    if (!loaded) throw UnreadablePicture(s, path, SheetWidth(s), SheetHeight(s));
    s.ReportNotes(path, keyBefore);
}

}  // namespace cli

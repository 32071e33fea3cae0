#pragma once

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include "core/Form.h"
#include "tools/tessaro-cli/CliPlatform.h"
#include "tools/tessaro-cli/CommandLine.h"
#include "tools/tessaro-cli/Language.h"
#include "tools/tessaro-cli/Progress.h"

namespace cli {

// Input the command refuses, or output it cannot write: exit status 1.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(Text text) : std::runtime_error(text.en), text_(std::move(text)) {}
    const Text& Message() const { return text_; }

private:
    Text text_;
};

// One run of a command: a headless editor started as the window starts it,
// driven through its own handlers, with the command line as its Platform.
struct Session {
    Session(const Invocation& invocation, std::ostream& out, std::ostream& err, Language language, bool terminal);

    const Invocation& invocation;
    std::ostream& out;
    std::ostream& err;
    Language language;
    Progress progress;
    CliPlatform platform;
    TForm1 form;

    // The editor's messages since the last call as one text, or `fallback`
    // when it showed none.
    std::string EditorMessages(const std::string& fallback = {});
    // Prints what the editor said on the way (not an error) unless quiet,
    // about the file `path`; `keyBefore` is the transparent colour before
    // the load that said it.
    void ReportNotes(const std::string& path = {}, std::optional<canvas::Colour> keyBefore = {});
};

// The whole-sheet load of the File menu; refuses when it fails.
void LoadSheet(Session& s, const std::string& path);
// The refusal of a picture file that a load of its top-left `width` x
// `height` pixels could not read: in Japanese what the editor said (or the
// text of the error it raised, `raised`), in English the reader's reason.
Refusal UnreadablePicture(Session& s, const std::string& path, int width, int height, const std::string& raised = {});

// Runs the command named in the invocation; returns the exit status.
int RunSplit(Session& s);
int RunJoin(Session& s);
int RunConvert(Session& s);
int RunReduce216(Session& s);
int RunPalette256(Session& s);
int RunCheck(Session& s);

}  // namespace cli

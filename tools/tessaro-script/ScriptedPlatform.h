// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/Platform.h"
#include "tools/tessaro-script/Commands.h"

class EditorForm;

namespace script {

// The platform of a scenario: every modal interaction takes its answer from
// a queue that the script fills beforehand, and everything the editor shows
// or hands to the outside is recorded for the checks.
//
// An interaction without a queued answer is a script error. It is thrown as
// a ScriptError and also kept as the pending error, because editor code
// between the driver and the dialog might catch and drop the exception.
class ScriptedPlatform : public Platform {
public:
    struct LoggedMessage {
        bool question = false;
        std::string text;
    };

    // The form whose close request and enabled states the platform serves.
    void Attach(EditorForm& form) { form_ = &form; }

    // ---- What the script queues ----
    void QueueAnswer(cmd::AnswerKind answer) { answers_.push_back(answer); }
    void QueueChoice(std::optional<std::string> path) { choices_.push_back(std::move(path)); }
    void QueueColour(std::optional<canvas::Colour> colour) { colours_.push_back(colour); }
    void QueuePopup(std::optional<ControlId> item) { popups_.push_back(item); }
    void QueueBoardSize(std::optional<BoardSize> size) { boardSizes_.push_back(size); }
    void QueueFrames(std::optional<ChipAnimation> frames) { frames_.push_back(frames); }
    void QueueAutotile(std::optional<AutotileAnswer> answer) { autotiles_.push_back(std::move(answer)); }
    void QueueNewSheet(std::optional<SheetGeometry> shape) { newSheets_.push_back(shape); }
    void SetClipboard(std::optional<canvas::Picture> picture) { clipboard_ = std::move(picture); }

    // ---- What the checks read ----
    const std::optional<canvas::Picture>& Clipboard() const { return clipboard_; }
    const std::optional<std::string>& LastOpenedUrl() const { return lastUrl_; }
    bool Closed() const { return closed_; }
    // The oldest message not yet checked, which the check then consumes.
    std::optional<LoggedMessage> TakeMessage();
    // The generic error handler's report: a plain message with the error's text.
    void LogError(const std::string& text) { Log({false, text}); }
    // Every message and question shown so far, in order, checked or not.
    const std::vector<LoggedMessage>& AllShown() const { return shown_; }

    // A script error that editor code may have swallowed, cleared on reading.
    std::optional<std::string> TakePendingError();
    // Answers left unused and messages left unchecked, as one text; empty
    // when the script used up everything it queued and checked every message.
    std::string Leftovers() const;

    // ---- Platform ----
    void ShowMessage(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    RestoreAnswer AskRestore(const std::string& text) override;
    std::optional<std::string> PictureOpenDialog() override;
    std::optional<std::string> PictureSaveDialog() override;
    std::optional<std::string> NumberedSaveDialog() override;
    std::optional<canvas::Colour> ColourDialog(std::optional<canvas::Colour> start) override;
    std::optional<ControlId> PopupMenu(ControlId menu, ControlId origin, int x, int y) override;
    std::optional<BoardSize> BoardSizeDialog(int cols, int rows) override;
    std::optional<ChipAnimation> AnimationDialog(ChipAnimation current) override;
    std::optional<AutotileAnswer> AutotileDialog(const AutotileAnswer& start) override;
    std::optional<SheetGeometry> NewSheetDialog(const SheetGeometry& current) override;
    std::optional<std::string> MapOpenDialog() override;
    std::optional<std::string> MapSaveDialog() override;
    bool ClipboardHasBitmap() override { return clipboard_.has_value(); }
    void ClipboardPut(const canvas::Picture& picture, const std::vector<std::uint8_t>&) override {
        clipboard_ = picture;
    }
    std::optional<canvas::Picture> ClipboardTake() override { return clipboard_; }
    void OpenUrl(const std::string& url) override { lastUrl_ = url; }
    // Runs the form's FormClose; the window counts as closed once it grants.
    void RequestClose() override;

private:
    [[noreturn]] void Fail(const std::string& reason);
    void Log(LoggedMessage message);
    std::optional<std::string> TakeChoice(const char* dialog);
    cmd::AnswerKind TakeAnswer(const std::string& question);

    EditorForm* form_ = nullptr;
    std::deque<cmd::AnswerKind> answers_;
    std::deque<std::optional<std::string>> choices_;
    std::deque<std::optional<canvas::Colour>> colours_;
    std::deque<std::optional<ControlId>> popups_;
    std::deque<std::optional<BoardSize>> boardSizes_;
    std::deque<std::optional<ChipAnimation>> frames_;
    std::deque<std::optional<AutotileAnswer>> autotiles_;
    std::deque<std::optional<SheetGeometry>> newSheets_;
    std::deque<LoggedMessage> messages_;
    std::vector<LoggedMessage> shown_;
    std::optional<canvas::Picture> clipboard_;
    std::optional<std::string> lastUrl_;
    std::optional<std::string> pendingError_;
    bool closed_ = false;
};

}  // namespace script
